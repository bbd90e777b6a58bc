#ifndef SORTIVANE_SAVEFILETAGS_H
#define SORTIVANE_SAVEFILETAGS_H

#include <QString>
#include <QStringList>

// Element and attribute names of the save file, shared by the writer and
// the reader.
struct SaveFileTags
{
    static const SaveFileTags& all()
    {
        static const SaveFileTags tags_s;
        return tags_s;
    }

    const QString docType = QStringLiteral( "SortivaneSaveFile-v.0.1" );
    const QString root = QStringLiteral( "root" );
    const QString groups = QStringLiteral( "groups" );
    const QString group = QStringLiteral( "group" );
    const QString name = QStringLiteral( "name" );
    const QString player = QStringLiteral( "player" );
    const QString nickname = QStringLiteral( "nickname" );
    const QString clanname = QStringLiteral( "clanname" );
    const QString nations = QStringLiteral( "nations" );
    const QString nation = QStringLiteral( "nation" );
    const QString list = QStringLiteral( "list" );
    const QString rounds = QStringLiteral( "rounds" );
    const QString round = QStringLiteral( "round" );
    const QString games = QStringLiteral( "games" );
    const QString game = QStringLiteral( "game" );
    const QString favorite = QStringLiteral( "favorite" );
    const QString outsider = QStringLiteral( "outsider" );
    const QString result = QStringLiteral( "result" );
    const QString players = QStringLiteral( "players" );
    const QString drawnFrom = QStringLiteral( "drawnfrom" );
    // The draw's record on "round", and the log of every started draw.
    const QString secret = QStringLiteral( "secret" );
    const QString word = QStringLiteral( "word" );
    const QString attempt = QStringLiteral( "attempt" );
    const QString nationsUsed = QStringLiteral( "nations" );
    const QString drawLog = QStringLiteral( "drawlog" );
    const QString draw = QStringLiteral( "draw" );
    const QString index = QStringLiteral( "round" );
    const QString denominator = QStringLiteral( "denominator" );
    const QString time = QStringLiteral( "time" );
    const QString commitment = QStringLiteral( "commitment" );
    const QString outcome = QStringLiteral( "outcome" );
    const QStringList outcomes { QStringLiteral( "started" ), QStringLiteral( "stored" ), QStringLiteral( "cancelled" ),
                                 QStringLiteral( "undone" ), QStringLiteral( "damaged" ) };
    // The record's version, on "round" and on "rounds", and the pool the
    // draw found, names and all.
    const QString proof = QStringLiteral( "proof" );
    const QString poolVersion = QStringLiteral( "2" );
    const QString drawPool = QStringLiteral( "drawpool" );
    const QString rename = QStringLiteral( "rename" );
    const QString oldNickname = QStringLiteral( "oldnickname" );
    const QString oldClanname = QStringLiteral( "oldclanname" );
    const QString gid = QStringLiteral( "gid" );
    const QString pid = QStringLiteral( "pid" );
    const QString nid = QStringLiteral( "nid" );
    const QString amount = QStringLiteral( "amount" );
    const QString current = QStringLiteral( "current" );
};

#endif
