// libFuzzer target for the save file reader: whatever the bytes, reading
// either refuses them or yields a championship that the rest of the program
// can play on: it saves and loads back equal, takes a draw and results, and
// still saves and loads back equal. The streamed reading and the DOM's agree
// on every input.
#include "QTossThread.h"
#include "championship.h"
#include "drawseed.h"
#include "globaldata.h"
#include "savefile.h"

#include <QByteArray>
#include <QTextCodec>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace
{
// The championship can be played on, and saved as the window saves it (the
// file's bytes, not only its text) it reads back equal.
void requireRoundTrip( const Championship& champ_cp )
{
    if( !champ_cp.canBePlayedToFinal() )
        std::abort();
    Championship loaded_l;
    const QByteArray bytes_cl = global::data::codec()->fromUnicode( SaveFile::toText( champ_cp ) );
    if( !SaveFile::fromBytes( bytes_cl, loaded_l ) || !loaded_l.holdsSameAs( champ_cp ) )
        std::abort();
}
}

extern "C" int LLVMFuzzerTestOneInput( const uint8_t* data_p, size_t size_p )
{
    Championship champ_l;
    const QByteArray bytes_cl( reinterpret_cast< const char* >( data_p ), static_cast< int >( size_p ) );
    SaveFile::Refusal refusal_l = SaveFile::Refusal::None;
    const bool read_cl = SaveFile::fromBytes( bytes_cl, champ_l, &refusal_l );
    Championship dom_l;
    SaveFile::Refusal domRefusal_l = SaveFile::Refusal::None;
    if( read_cl != SaveFile::fromBytes( bytes_cl, dom_l, &domRefusal_l, SaveFile::Parser::DomOnly )
        || refusal_l != domRefusal_l || ( read_cl && !dom_l.holdsSameAs( champ_l ) ) )
        std::abort();
    if( !read_cl )
        return 0;
    requireRoundTrip( champ_l );
    // The draw runs here, on this thread, so that the fuzzer keeps its pace.
    static QTossThread thread_s;
    drawseed::setFixedSeed( static_cast< unsigned int >( size_p ) );
    for( int round_l = 0; round_l < 3; ++round_l )
    {
        if( !champ_l.rounds().isEmpty() )
        {
            const int games_cl = champ_l.rounds().at( champ_l.currentRound() ).games_m.size();
            for( int i = 0; i < games_cl; ++i )
            {
                champ_l.setGameResult( i, UNEXPECTED );
                champ_l.setGameResult( i, i % 2 ? UNEXPECTED : EXPECTED );
            }
            requireRoundTrip( champ_l );
        }
        if( !thread_s.drawInPlace( champ_l ) )
            break;
        requireRoundTrip( champ_l );
    }
    return 0;
}
