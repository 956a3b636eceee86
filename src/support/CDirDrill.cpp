#include "support/CDirDrill.h"

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <limits>
#include <optional>
#include <utility>

#include "platform/FileSystem.h"
#include "support/MVb6Functions.h"
#include "support/TextCodec.h"

namespace Support {

using MVb6Functions::InStrRev;

namespace {

// 1-based position of the last separator, 0 when there is none, as InStrRev counts.
std::int32_t LastSeparatorPosition(const std::u16string& path) {
    const auto separator = Platform::LastSeparator(path);
    return separator == std::u16string::npos ? 0 : static_cast<std::int32_t>(separator + 1);
}

bool ContainsSeparator(const std::u16string& text) {
    return std::any_of(text.begin(), text.end(),
                       [](char16_t c) { return Platform::IsPathSeparator(c); });
}

// The totals are 32-bit; a walk over more entries than that stops counting at the top rather
// than wrapping round to negative totals.
std::int32_t AddCount(std::int32_t total, std::size_t count) {
    constexpr auto top = std::numeric_limits<std::int32_t>::max();
    const auto room = static_cast<std::size_t>(top - total);
    return count >= room ? top
                         : static_cast<std::int32_t>(total + static_cast<std::int32_t>(count));
}

// A folder that was listed as a folder keeps its separator even if it is gone by the time it
// is entered: its listing then finds nothing, instead of "folder" + "*.*" listing the
// neighbours whose names begin with the folder's name.
std::u16string WithSeparator(const std::u16string& folder) {
    if (folder.empty() || Platform::EndsWithSeparator(folder)) {
        return folder;
    }
    return folder + Platform::PathSeparator;
}

}  // namespace

struct CDirDrill::SubFolder {
    std::u16string Path;  // ends with the separator
    std::uint64_t Device = 0;
};

// One folder on the path from the start folder down to the folder being searched.
struct CDirDrill::Level {
    std::vector<SubFolder> SubFolders;  // still to search, from Next on
    std::size_t Next = 0;
};

CDirDrill::CDirDrill() : strFolder(Platform::CurrentFolder()) {}

void CDirDrill::SetAttributeMask(std::int32_t NewMask) {
    lngAttributeMask = NewMask;
}

std::int32_t CDirDrill::AttributeMask() const {
    return lngAttributeMask;
}

const std::u16string& CDirDrill::Folder() const {
    return strFolder;
}

void CDirDrill::SetFolder(const std::u16string& NewValue) {
    if (IsFolder(NewValue)) {
        strFolder = NewValue;
    }
}

const std::u16string& CDirDrill::Pattern() const {
    return strPattern;
}

void CDirDrill::SetPattern(const std::u16string& NewValue) {
    strPattern = MVb6Functions::Replace(MVb6Functions::Replace(NewValue, u" ", u""), u",", u";");
}

void CDirDrill::SetRecursive(bool NewRecursive) {
    blnRecursive = NewRecursive;
}

bool CDirDrill::Recursive() const {
    return blnRecursive;
}

void CDirDrill::BeginSearch(const std::u16string& StartFolder) {
    if (!StartFolder.empty()) {
        SetFolder(StartFolder);
    }
    blnCancel = false;
    lngTotalFiles = 0;
    lngTotalFolders = 1;
    SearchFolder(strFolder);
    if (Done) {
        const auto handler = Done;
        handler(lngTotalFiles, lngTotalFolders);
    }
    // Leave no folder open behind the process-wide cursor.
    Platform::EndListing();
}

std::u16string CDirDrill::FileText(const std::u16string& filespec) const {
    const auto bytes = Platform::ReadWholeFile(filespec);
    return bytes ? TextCodec::DecodeFileText(*bytes) : std::u16string();
}

std::u16string CDirDrill::ExtractName(const std::u16string& SpecIn, bool BaseOnly) const {
    if (IsFolder(SpecIn)) {
        return {};
    }
    const std::int32_t p = LastSeparatorPosition(SpecIn);
    std::u16string name = static_cast<std::size_t>(p) < SpecIn.size()
                              ? SpecIn.substr(static_cast<std::size_t>(p))
                              : SpecIn;
    if (BaseOnly) {
        const std::int32_t d = InStrRev(name, u".");
        if (d >= 1 && static_cast<std::size_t>(d) < name.size()) {
            name.resize(static_cast<std::size_t>(d) - 1);
        }
    }
    return name;
}

std::u16string CDirDrill::ExtractPath(const std::u16string& SpecIn) const {
    if (IsFolder(SpecIn)) {
        return AddBackslash(SpecIn);
    }
    const std::int32_t p = LastSeparatorPosition(SpecIn);
    return p != 0 ? SpecIn.substr(0, static_cast<std::size_t>(p)) : std::u16string();
}

std::u16string CDirDrill::AddBackslash(const std::u16string& path) {
    if (IsFolder(path) && !Platform::EndsWithSeparator(path)) {
        return path + Platform::PathSeparator;
    }
    return path;
}

std::int32_t CDirDrill::GetAttributes(const std::u16string& path) {
    return Platform::PathAttributes(path);
}

bool CDirDrill::IsFolder(const std::u16string& path) {
    const std::int32_t attributes = GetAttributes(path);
    return attributes != -1 && (attributes & Platform::AttrDirectory) != 0;
}

// Depth first with an explicit stack, so that a deep tree cannot exhaust the call stack. Each
// folder raises NewFolder and its NewFile events before any of its sub-folders is entered.
void CDirDrill::SearchFolder(const std::u16string& folder) {
    const std::u16string start = WithSeparator(folder);
    std::vector<Level> path;
    SeenFolders seen;
    std::uint64_t device = 0;
    if (const auto identity = Platform::IdentityOfPath(start)) {
        seen.emplace(identity->Device, identity->Node);
        device = identity->Device;
    }
    path.push_back(Level{{}, 0});
    ExploreFolder(start, device, path, seen);
    while (!path.empty()) {
        Level& level = path.back();
        if (level.Next == level.SubFolders.size()) {
            path.pop_back();
            // The folder above stops after a sub-folder whose search ended cancelled, and so
            // does every folder above that.
            if (blnCancel) {
                break;
            }
            continue;
        }
        SubFolder next = std::move(level.SubFolders[level.Next++]);
        path.push_back(Level{{}, 0});
        ExploreFolder(next.Path, next.Device, path, seen);
    }
}

// Raises NewFolder and the folder's NewFile events, counts what it holds, and leaves the
// sub-folders to search in path.back().
void CDirDrill::ExploreFolder(const std::u16string& folder, std::uint64_t device,
                              std::vector<Level>& path, SeenFolders& seen) {
    RaiseNewFolder(folder);
    if (blnCancel) {
        return;
    }

    // Both lists are complete before the next event: a handler may use the listing cursor.
    std::vector<SubFolder> subFolders;
    std::vector<std::u16string> files;
    CollectEntries(folder, device, seen, subFolders, files);

    lngTotalFiles = AddCount(lngTotalFiles, files.size());
    lngTotalFolders = AddCount(lngTotalFolders, subFolders.size());

    for (const auto& filespec : files) {
        RaiseNewFile(filespec);
        if (blnCancel) {
            break;
        }
    }
    if (blnRecursive) {
        path.back().SubFolders = std::move(subFolders);
    }
}

// The sub-folder listing and the file listings of the wildcard patterns share one reading of
// the folder: a listing with every attribute bit, each entry then taken by the rules that the
// narrower listings apply. A pattern that is a plain name, or reaches into another folder, gets
// a listing of its own. Files keep the order of the pattern list, so a file that matches two
// patterns is listed twice.
void CDirDrill::CollectEntries(const std::u16string& folder, std::uint64_t device,
                               SeenFolders& seen, std::vector<SubFolder>& subFolders,
                               std::vector<std::u16string>& files) const {
    const std::vector<std::u16string> pieces = MVb6Functions::Split(strPattern, u";");
    std::vector<bool> shared(pieces.size());
    std::transform(pieces.begin(), pieces.end(), shared.begin(), [](const std::u16string& piece) {
        return piece.find_first_of(u"*?") != std::u16string::npos && !ContainsSeparator(piece);
    });
    std::vector<std::vector<std::u16string>> matches(pieces.size());
    const std::int32_t everything =
        Platform::AttrDirectory | Platform::AttrHidden | Platform::AttrSystem;
    for (auto entry = Platform::FindFirstEntry(folder + u"*.*", everything); entry;
         entry = Platform::FindNextEntry()) {
        if (entry->IsFolder) {
            // Hidden and system folders are not searched whatever the mask, and neither are
            // folders whose names begin with a dot.
            if (!entry->IsHidden && !entry->IsSystem && !entry->Name.empty() &&
                entry->Name.front() != u'.') {
                TakeSubFolder(folder + entry->Name, device, entry->Node, seen, subFolders);
            }
            continue;  // a folder is never listed as a file
        }
        if ((entry->IsHidden && (lngAttributeMask & Platform::AttrHidden) == 0) ||
            (entry->IsSystem && (lngAttributeMask & Platform::AttrSystem) == 0)) {
            continue;
        }
        for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
            if (shared[piece] && Platform::MatchesWildcard(entry->Name, pieces[piece])) {
                matches[piece].push_back(folder + entry->Name);
            }
        }
    }

    for (std::size_t piece = 0; piece < pieces.size(); ++piece) {
        if (shared[piece]) {
            if (files.empty()) {
                files = std::move(matches[piece]);
            } else {
                files.insert(files.end(), std::make_move_iterator(matches[piece].begin()),
                             std::make_move_iterator(matches[piece].end()));
            }
            continue;
        }
        // The entry's own folder flag says whether folder + name is a folder, unless the
        // pattern reaches into another folder and the name then belongs there.
        const bool inThisFolder = !ContainsSeparator(pieces[piece]);
        for (auto entry = Platform::FindFirstEntry(folder + pieces[piece], lngAttributeMask); entry;
             entry = Platform::FindNextEntry()) {
            std::u16string filespec = folder + entry->Name;
            if (inThisFolder ? entry->IsFolder : IsFolder(filespec)) {
                continue;
            }
            files.push_back(std::move(filespec));
        }
    }
}

// A link back up the tree would be walked for ever, and links that branch and meet again
// would walk the same folders over and over: a folder that this walk has already taken is
// neither counted nor searched again. A folder that is gone already has no identity and is
// dropped as well. A plain sub-folder lies on its parent's device, and the listing may know its
// node, which spares opening it by its path.
void CDirDrill::TakeSubFolder(std::u16string subFolder, std::uint64_t device,
                              const std::optional<std::uint64_t>& node, SeenFolders& seen,
                              std::vector<SubFolder>& subFolders) {
    const auto identity = node ? std::optional<Platform::FileIdentity>({device, *node})
                               : Platform::IdentityOfPath(subFolder);
    if (!identity || !seen.emplace(identity->Device, identity->Node).second) {
        return;
    }
    subFolder += Platform::PathSeparator;
    subFolders.push_back(SubFolder{std::move(subFolder), identity->Device});
}

void CDirDrill::RaiseNewFolder(const std::u16string& folder) {
    if (NewFolder) {
        // A copy, so that a handler that replaces itself does not pull the code from under
        // its own feet.
        const auto handler = NewFolder;
        handler(folder, blnCancel);
    }
}

void CDirDrill::RaiseNewFile(const std::u16string& filespec) {
    if (NewFile) {
        const auto handler = NewFile;
        handler(filespec, blnCancel);
    }
}

}  // namespace Support
