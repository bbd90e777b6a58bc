#ifndef SORTIVANE_SAVEFILE_H
#define SORTIVANE_SAVEFILE_H

#include <QByteArray>
#include <QString>

class Championship;
class QDomDocument;

// The championship's XML save file: document type "SortivaneSaveFile-v.0.1",
// windows-1251 text without XML declaration, one blank of indentation per
// level.
class SaveFile
{
public:
    // Writes atomically: the previous file stays intact unless the whole new
    // text reached the disk.
    static bool write( const Championship& champ_cp, const QString& fileName_p );
    // Fills champ_rp (expected to be a fresh championship) from the file; on
    // false champ_rp is left in an unspecified state and must be dropped.
    static bool read( const QString& fileName_p, Championship& champ_rp );

    // The file's bytes, decoded as read() decodes them.
    static bool fromBytes( const QByteArray& bytes_cp, Championship& champ_rp );
    // The document as the file holds it, before encoding.
    static QString toText( const Championship& champ_cp );
    static bool fromText( const QString& text_cp, Championship& champ_rp );

private:
    static QDomDocument toDocument( const Championship& champ_cp );
};

#endif
