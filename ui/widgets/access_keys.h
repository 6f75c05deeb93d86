#pragma once
// Access keys for the captions of one menu level, assigned as the menu does
// it: each caption without an access key gets the first letter or digit
// (compared in upper case) that no other caption of the level uses.
#include <QStringList>

namespace chronell {

// The captions with "&" put before each assigned key; a caption that has a
// key already keeps it, and one with no free letter or digit stays as it is.
QStringList withAccessKeys(const QStringList& captions);

} // namespace chronell
