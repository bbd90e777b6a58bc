// libFuzzer target for the save file reader: whatever the bytes, reading
// either refuses them or yields a championship the rest of the program can
// use without stopping: it saves, and every game of its current round takes
// both results.
#include "championship.h"
#include "savefile.h"

#include <QByteArray>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* data_p, size_t size_p )
{
    Championship champ_l;
    const QByteArray bytes_cl( reinterpret_cast< const char* >( data_p ), static_cast< int >( size_p ) );
    if( !SaveFile::fromBytes( bytes_cl, champ_l ) )
        return 0;
    SaveFile::toText( champ_l );
    champ_l.roundIsFinished();
    if( champ_l.rounds().isEmpty() )
        return 0;
    const int games_cl = champ_l.rounds().at( champ_l.currentRound() ).games_m.size();
    for( int i = 0; i < games_cl; ++i )
    {
        champ_l.setGameResult( i, EXPECTED );
        champ_l.setGameResult( i, UNEXPECTED );
    }
    champ_l.roundIsFinished();
    return 0;
}
