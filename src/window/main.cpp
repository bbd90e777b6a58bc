#include "QTossApplication.h"
#include "QTossWindow.h"
#include "QWindowSettings.h"
#include "championship.h"
#include "globals.h"

namespace
{
// SORTIVANE_REGISTER="Имя,Имя2": registers these players in the first group
// at start-up, as changes of the running program. The crash test starts the
// real program this way, kills it and checks what it left behind; nothing
// else sets it.
void registerScriptedPlayers()
{
    const QString names_cl = qEnvironmentVariable( "SORTIVANE_REGISTER" );
    if( names_cl.isEmpty() )
        return;
    for( const QString& name_crl : names_cl.split( QLatin1Char( ',' ), Qt::SkipEmptyParts ) )
        global::data::champ().addPlayer( 1, name_crl, QString() );
    global::widgets::tossWindow()->showEditedChampionship();
}
}

int main( int argc, char* argv[] )
{
    const std::unique_ptr< QTossApplication > application_l = QTossApplication::create( argc, argv );
    QTossApplication::connectGlobalObjects();
    // The windows-1251 codec is given to the save files' streams only: as the
    // codec for the locale it would also encode file names, and a Cyrillic
    // name would be created garbled on Linux.
    QWindowSettings::restoreGeometry( global::widgets::tossWindow() );
    QTossApplication::offerRecovery();
    QTossApplication::openStartFile();
    registerScriptedPlayers();
    global::widgets::tossWindow()->show();
    return application_l->exec();
}
