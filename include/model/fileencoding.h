#ifndef SORTIVANE_FILEENCODING_H
#define SORTIVANE_FILEENCODING_H

#include <QByteArray>
#include <QString>

class QTextCodec;

// Which encoding a save file's bytes are in: the Unicode encoding of a
// byte-order mark; the encoding an XML declaration names; UTF-8 for bytes
// that are well-formed UTF-8 with letters beyond ASCII (what a text editor
// makes of a save file, since windows-1251 Cyrillic is practically never
// well-formed UTF-8); windows-1251 otherwise.
class FileEncoding
{
public:
    // Null for an encoding that a declaration names and Qt does not know.
    // Bytes found to be UTF-8 come back decoded in utf8Text_rp, so that they
    // are not decoded twice.
    static QTextCodec* codecOf( const QByteArray& bytes_cp, QString& utf8Text_rp );
};

#endif
