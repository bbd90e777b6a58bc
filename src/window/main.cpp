#include "QTossApplication.h"
#include "QTossWindow.h"
#include "globals.h"

int main( int argc, char* argv[] )
{
    const std::unique_ptr< QTossApplication > application_l = QTossApplication::create( argc, argv );
    QTossApplication::connectGlobalObjects();
    // The windows-1251 codec is given to the save files' streams only: as the
    // codec for the locale it would also encode file names, and a Cyrillic
    // name would be created garbled on Linux.
    // Room for the players, the nations and a few games of the bracket.
    global::widgets::tossWindow()->resize( 1280, 800 );
    global::widgets::tossWindow()->show();
    return application_l->exec();
}
