#pragma once
// Where the file dialogs start. Before the user has used a folder, in the
// documents folder; after that, at the name the file commands keep (the last
// folder, or the file in it), as long as that folder still exists.
#include <string>

namespace ign {

// remembered: the dialogs' file name as kept (a file path, or a folder ending
// in '/'); empty before any use. documents: the user's documents folder.
std::string DialogStartPath(const std::string& remembered, const std::string& documents);

// The folder part of a remembered name ("/a/b/" for "/a/b/c.ign" and "/a/b/"),
// empty when it names no folder.
std::string DialogFolderOf(const std::string& remembered);

}  // namespace ign
