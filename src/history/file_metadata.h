#pragma once

#include <sys/stat.h>

namespace naklon {

// Gives the new file `fresh` everything the old file `old` (open as
// `current`, described by `oldInfo`) carries besides its text: owner and
// group, permissions, ACL and every other extended attribute, so that it
// can take the old file's place unnoticed. False when that cannot be done
// (an owner the user cannot give, an attribute that cannot be copied) or
// when no new file can take its place (other hard links would keep the old
// text): the file is then to be written where it is.
bool carryMetadata(int fresh, int current, const struct stat &oldInfo);

} // namespace naklon
