#ifndef SORTIVANE_DRAWPOOL_H
#define SORTIVANE_DRAWPOOL_H

#include "championship.h"

#include <QPair>
#include <QString>
#include <QVector>

// The pool a draw uses, as the one text its commitment binds, so that no
// reordering, renumbering or renaming of the pool can give another draw
// under the code the hall noted. In UTF-8, line by line:
//   sortivane-pool 2
//   P <group id> <player id> <nickname> <clan name>   each player the draw
//       may pick, group by group in rank order, each group's list in order
//   N <nation id> <nation name>                       each nation the draw
//       may hand out, in list order
// with a tab between the fields and a line feed after each line; in a
// name, backslash, tab, line feed and carriage return are written as "\\",
// "\t", "\n" and "\r".
class DrawPool
{
public:
    struct Entry
    {
        PlayerRef player_m;
        Player name_m;
    };

    // The pool of the championship's next draw: before the first, every
    // registered player; later, the players waiting for the next round.
    static QString nextDraw( const Championship& champ_cp );
    static QString text( const RoundPlayers& pool_cp, const PlayersGroups& names_cp, const QVector< int >& nations_cp,
                         const QMap< int, QString >& nationsNames_cp );
    // Reads a pool's text back; false for a text of any other form.
    static bool parse( const QString& text_cp, QVector< Entry >& players_rp,
                       QVector< QPair< int, QString > >& nations_rp );
};

#endif
