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
    // Which rule refused a file; the window reports every refusal with the
    // same warning, other tools may name the rule.
    enum class Refusal
    {
        None,
        Unreadable,      // missing or not readable
        NotARegularFile, // a directory, device or FIFO
        TooLarge,        // beyond MAX_FILE_SIZE
        NestedTooDeep,   // deeper than the format could need
        InternalSubset,  // declares entities or other DTD content
        NotASaveFile,    // not well-formed, or not this program's format
        BadNumber,       // an id or count that is not an integer in its domain
        RepeatedId,      // a group, player or nation id given twice
        Inconsistent,    // parts that contradict each other
        Unplayable       // a bracket that could not be played to the final
    };
    // The largest file read or written. A played 1,024-player championship
    // takes about 250 KB; a file beyond this is no championship.
    static const int MAX_FILE_SIZE = 64 * 1024 * 1024;

    // Writes atomically: the previous file stays intact unless the whole new
    // text reached the disk.
    static bool write( const Championship& champ_cp, const QString& fileName_p );
    // Fills champ_rp (expected to be a fresh championship) from the file; on
    // false champ_rp is left in an unspecified state and must be dropped.
    static bool read( const QString& fileName_p, Championship& champ_rp, Refusal* refusal_rp = nullptr );

    // The file's bytes, decoded as read() decodes them.
    static bool fromBytes( const QByteArray& bytes_cp, Championship& champ_rp, Refusal* refusal_rp = nullptr );
    // The document as the file holds it, before encoding.
    static QString toText( const Championship& champ_cp );
    static bool fromText( const QString& text_cp, Championship& champ_rp, Refusal* refusal_rp = nullptr );

private:
    static QDomDocument toDocument( const Championship& champ_cp );
};

#endif
