#pragma once

// Folder trees with links back up the tree, for the Windows tests of the walker and the scan.
//
// Windows makes such links as directory junctions, and the tree is then built in a temporary
// folder. Wine 8 makes no link of any kind for a Windows program (a symbolic link is reported
// made but is not there, a junction is refused), yet it follows the host's symbolic links. So
// where junctions are refused, the tree comes ready-made from the host: the environment
// variable KIVOLA_HOST_LINK_TREE names a folder that holds it under the layout's name, and the
// tree is checked to hold what the layout says before a test may rely on it.

#include <optional>
#include <string>
#include <vector>

#include "testsupport/TempFolder.h"

namespace TestSupport {

// A tree described by paths relative to its root, written with '/'.
struct TreeLayout {
    struct File {
        std::string Path;
        std::string Content;
    };
    struct Link {
        std::string Path;
        std::string Target;  // the folder the link leads to; empty for the root itself
    };
    std::string Name;  // the tree's folder inside KIVOLA_HOST_LINK_TREE
    std::vector<File> Files;
    std::vector<Link> Links;
};

class LinkedTree {
  public:
    explicit LinkedTree(const TreeLayout& layout);
    LinkedTree(const LinkedTree&) = delete;
    LinkedTree& operator=(const LinkedTree&) = delete;
    // The junctions go first, so that nothing removing the temporary folder walks through one.
    ~LinkedTree();

    // The tree's root as the program's text; nothing when no tree could be had.
    const std::optional<std::u16string>& Root() const { return root_; }
    // KIVOLA_HOST_LINK_TREE names a tree, but not one that holds the layout: the set-up of
    // the test run is wrong, which fails the test instead of skipping it.
    bool HostTreeBroken() const { return hostTreeBroken_; }
    // Why there is no tree.
    const std::string& WhyNot() const { return whyNot_; }

  private:
    bool BuildWithJunctions(const TreeLayout& layout);
    bool TakeHostTree(const TreeLayout& layout);

    TempFolder scratch_;
    std::vector<std::wstring> junctions_;
    std::optional<std::u16string> root_;
    std::string whyNot_;
    bool hostTreeBroken_ = false;
};

}  // namespace TestSupport
