#pragma once
// The desktop's trash ($XDG_DATA_HOME/Trash) as the freedesktop.org trash specification lays it
// out: the item under files/, where it came from and when under info/, so that a file manager
// can put it back.

#include <string>

namespace lumarc {

// Whether the trash can take `path`: the data directory is there, or can be made, on the file
// system that holds `path`, so that moving there is a rename and not a copy.
bool TrashCanTake(const std::string& path);

// Moves the file, link or directory `path` into the trash, making the trash where it is still
// missing (a fresh account). False, with `path` left where it was, when it cannot.
bool MoveToTrash(const std::string& path);

}  // namespace lumarc
