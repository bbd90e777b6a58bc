#ifndef SORTIVANE_SAVEFILEWRITER_H
#define SORTIVANE_SAVEFILEWRITER_H

#include <QString>

class Championship;
class QXmlStreamWriter;

// The championship as the save file holds it, before encoding: one blank of
// indentation a level, and a character reference for each character that
// windows-1251 cannot hold. A stream writer makes it, so that a big
// bracket's file takes no document tree in memory.
class SaveFileWriter
{
public:
    static QString text( const Championship& champ_cp );

private:
    static void writeDocument( QXmlStreamWriter& writer_r, const Championship& champ_cp );
};

#endif
