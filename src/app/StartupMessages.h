#pragma once
#include "app/IniFile.h"

#include <QString>

// Messages start-up shows before any language text exists: when languages.ini cannot be
// used there is nothing to look a text up in, so these few are built in, in Traditional
// Chinese or English by the system's locale.
namespace startup_messages {

struct Message {
    QString text;
    QString title;
};

// True when the user's locale is Chinese (any script or region): they get the TW wording.
bool preferChinese();

// languages.ini at `filePath` could not be used for the reason `why` (not Loaded).
// The text names the file and the folder that was searched.
Message languageFileUnusable(const QString& filePath, IniFile::LoadResult why, bool chinese);

}  // namespace startup_messages
