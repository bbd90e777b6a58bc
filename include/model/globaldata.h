#ifndef SORTIVANE_GLOBALDATA_H
#define SORTIVANE_GLOBALDATA_H

#include <QString>
#include <QVector>

class Championship;
class QTextCodec;
class QTossThread;

// The global objects that need no display: the championship, the save
// files' code page and the draw's thread. Each is made on first use by its
// accessor and kept for the rest of the run; none is ever deleted.
namespace global
{
namespace data
{
Championship& champ();
// windows-1251: the code page of the save files.
QTextCodec* codec();
// "Псевдоним", "Клан": the players' columns and the add dialog's captions.
const QVector< QString >& playerFieldsNames();
}

namespace threads
{
QTossThread* tossThread();
}
}

#endif
