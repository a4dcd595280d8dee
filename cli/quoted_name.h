#pragma once

#include <QString>

// Names (file paths, device paths) in the tool's text output, one line each whatever they hold.

// The name as it stands when it holds no control character and no byte that is not UTF-8;
// otherwise quoted as a shell reads it back, $'...', with \n, \r, \t, \\, \' and \xNN for the
// other control characters and raw bytes. JSON output needs none of this: it escapes by itself.
QString QuotedName(const QString& name);

// A word a shell takes as it stands, so a printed command can be pasted: unchanged when it has
// only safe characters, '...' when it has blanks or shell characters, $'...' (as QuotedName)
// when it holds control characters or raw bytes.
QString ShellWord(const QString& word);
