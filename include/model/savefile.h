#ifndef SORTIVANE_SAVEFILE_H
#define SORTIVANE_SAVEFILE_H

#include <QByteArray>
#include <QString>

class Championship;

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
        Unplayable,      // a bracket that could not be played to the final
        BeyondBounds     // more markup, or longer names, than any championship needs
    };
    // The largest file read or written. A played 1,024-player championship
    // takes about 250 KB; a file beyond this is no championship.
    static constexpr int MAX_FILE_SIZE = 64 * 1024 * 1024;
    // Bounds that keep the reader's time and memory in proportion to the
    // largest championship, whatever the file holds. A fully played
    // championship needs about 10 nodes (elements and texts) and 7
    // attributes per player: these leave room above the largest one the
    // window draws (32,768 players), and keep Qt's DOM under 1 GiB.
    static constexpr int MAX_NODES = 1 << 19;
    static constexpr int MAX_ALL_ATTRIBUTES = 1 << 19;
    static constexpr int MAX_ATTRIBUTES = 16; // on one element
    // The format nests six levels deep; the slack leaves room for nothing a
    // save file could need.
    static constexpr int MAX_DEPTH = 32;
    static constexpr int MAX_ASIDES = 4096; // comments and processing instructions
    // Names typed in the window are at most 64 characters; older files may
    // hold longer ones.
    static constexpr int MAX_NAME_LENGTH = 4096;

    // Writes atomically: the previous file stays intact unless the whole new
    // text reached the disk. A championship that cannot be played to the
    // final is never written: the reader would refuse the file, and the
    // organiser's work with it. No command of the program makes one.
    static bool write( const Championship& champ_cp, const QString& fileName_p );
    // Fills champ_rp (expected to be a fresh championship) from the file; on
    // false champ_rp is left in an unspecified state and must be dropped.
    static bool read( const QString& fileName_p, Championship& champ_rp, Refusal* refusal_rp = nullptr );

    // How fromBytes() and fromText() parse. Streamed reads the plain markup
    // this program writes with a stream reader and leaves anything else to
    // Qt's DOM; DomOnly reads everything with the DOM, the reference the
    // streamed reading is checked against.
    enum class Parser
    {
        Streamed,
        DomOnly
    };
    // The file's bytes, decoded as read() decodes them: in the Unicode
    // encoding of a byte-order mark, in the encoding an XML declaration
    // names, as UTF-8 when they are UTF-8 with letters beyond ASCII (what a
    // text editor makes of a save file), and as windows-1251 otherwise.
    static bool fromBytes( const QByteArray& bytes_cp, Championship& champ_rp, Refusal* refusal_rp = nullptr,
                           Parser parser_p = Parser::Streamed );
    // The document as the file holds it, before encoding.
    static QString toText( const Championship& champ_cp );
    static bool fromText( const QString& text_cp, Championship& champ_rp, Refusal* refusal_rp = nullptr,
                          Parser parser_p = Parser::Streamed );
};

#endif
