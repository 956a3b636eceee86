#pragma once

// Walks a folder tree depth first and reports what it finds through events: each folder as it
// is entered (NewFolder), each file whose name matches one of the patterns (NewFile), and the
// totals at the end (Done). A handler stops the walk by setting Cancel.
//
// Events are std::function members rather than an observer interface: a caller attaches only
// the handlers it needs, as a lambda, and an empty member is simply not raised. A handler may
// replace or clear any of the members while it runs, and may start another search on the same
// object, which resets the counters and the cancel flag; the interrupted walk then goes on.
//
// The walker lists folders through the process's single wildcard cursor
// (Platform::FindFirstEntry). A folder's listings are complete before its events are raised,
// so handlers may use the cursor themselves; a search leaves the cursor reset when it ends.

#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace Support {

class CDirDrill {
  public:
    // filespec: the full path of a matching file. Cancel: the walker's own cancel flag.
    std::function<void(const std::u16string& filespec, bool& Cancel)> NewFile;
    // FolderSpec: the folder being entered, ending with the path separator.
    std::function<void(const std::u16string& FolderSpec, bool& Cancel)> NewFolder;
    // Raised once at the end of every search, also after a cancel.
    std::function<void(std::int32_t TotalFiles, std::int32_t TotalFolders)> Done;

    // Starts in the process's current folder, with pattern "*.*", recursive, mask 0.
    CDirDrill();

    void SetAttributeMask(std::int32_t NewMask);
    std::int32_t AttributeMask() const;

    const std::u16string& Folder() const;
    // Taken only when NewValue names an existing folder; otherwise ignored without a word.
    void SetFolder(const std::u16string& NewValue);

    const std::u16string& Pattern() const;
    // Patterns are separated by ';'. Spaces are dropped and ',' is taken as ';', so that
    // "*.txt, *.doc" means two patterns.
    void SetPattern(const std::u16string& NewValue);

    void SetRecursive(bool NewRecursive);
    bool Recursive() const;

    // Walks StartFolder (or the current Folder when StartFolder is empty or not a folder).
    void BeginSearch(const std::u16string& StartFolder);

    // The whole content of a text file; the empty text when it cannot be read.
    std::u16string FileText(const std::u16string& filespec) const;
    // The name part of a path, without its last extension when BaseOnly; empty for a folder.
    std::u16string ExtractName(const std::u16string& SpecIn, bool BaseOnly) const;
    // The folder part of a path including its final separator; a folder gets its separator.
    std::u16string ExtractPath(const std::u16string& SpecIn) const;

  private:
    struct Level;
    struct SubFolder;

    static std::u16string AddBackslash(const std::u16string& path);
    static std::int32_t GetAttributes(const std::u16string& path);
    static bool IsFolder(const std::u16string& path);

    void SearchFolder(const std::u16string& folder);
    // Device and node of every folder taken in the running walk.
    using SeenFolders = std::set<std::pair<std::uint64_t, std::uint64_t>>;

    void ExploreFolder(const std::u16string& folder, std::uint64_t device, std::vector<Level>& path,
                       SeenFolders& seen);
    void CollectEntries(const std::u16string& folder, std::uint64_t device, SeenFolders& seen,
                        std::vector<SubFolder>& subFolders,
                        std::vector<std::u16string>& files) const;
    static void TakeSubFolder(std::u16string subFolder, std::uint64_t device,
                              const std::optional<std::uint64_t>& node, SeenFolders& seen,
                              std::vector<SubFolder>& subFolders);
    void RaiseNewFolder(const std::u16string& folder);
    void RaiseNewFile(const std::u16string& filespec);

    bool blnCancel = false;
    std::u16string strPattern = u"*.*";
    bool blnRecursive = true;
    std::u16string strFolder;
    std::int32_t lngTotalFiles = 0;
    std::int32_t lngTotalFolders = 0;
    std::int32_t lngAttributeMask = 0;
};

}  // namespace Support
