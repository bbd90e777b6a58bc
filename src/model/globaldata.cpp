#include "globaldata.h"

#include "QTossThread.h"
#include "championship.h"

#include <QTextCodec>

Championship& global::data::champ()
{
    static Championship champ_s;
    return champ_s;
}

QTextCodec* global::data::codec()
{
    static QTextCodec* const codec_scl = QTextCodec::codecForName( "windows-1251" );
    return codec_scl;
}

const QVector< QString >& global::data::playerFieldsNames()
{
    static const QVector< QString > names_scl { QStringLiteral( "Псевдоним" ), QStringLiteral( "Клан" ) };
    return names_scl;
}

QTossThread* global::threads::tossThread()
{
    static QTossThread* const thread_scl = new QTossThread();
    return thread_scl;
}
