#pragma once
// The directories that the install dialog never offers to delete as a whole.

#include <string>
#include <vector>

#include "MountTable.h"

namespace lumarc {

// "/", the system's own top-level directories (/usr, /etc, /tmp, /var, /home, /opt, /boot,
// /dev, /proc, /run, /srv, /sys, /mnt, /media, /bin, /sbin and the /lib ones), `home`, every
// ancestor of `home`, and every mount point. The path is compared after "." and ".." and
// repeated separators are resolved, and again after symbolic links are.
bool IsProtectedDirectory(const std::string& path, const std::string& home,
                          const std::vector<TMountEntry>& mounts);
// With this user's home and the kernel's mount table.
bool IsProtectedDirectory(const std::string& path);

}  // namespace lumarc
