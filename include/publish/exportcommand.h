#ifndef SORTIVANE_EXPORTCOMMAND_H
#define SORTIVANE_EXPORTCOMMAND_H

#include "savefile.h"

#include <QString>
#include <QStringList>

class Championship;
class QTextStream;

// sortivane-export: reads a championship file and publishes its bracket as
// PNG, SVG, PDF or HTML, the format told by the output's extension; or,
// with --verify, checks its recorded draws.
class ExportCommand
{
public:
    enum ExitCode
    {
        WRITTEN = 0,
        USAGE = 2,       // a wrong command line
        NOT_READ = 3,    // the championship file missing or refused
        NOT_WRITTEN = 4, // the output could not be written
        NOT_VERIFIED = 5 // --verify: a recorded draw does not follow from its record
    };

    // arguments_cp as the program got them, its name first. Help and version
    // go to out_rp, every complaint to err_rp. Returns the exit code.
    static int run( const QStringList& arguments_cp, QTextStream& out_rp, QTextStream& err_rp );

    // Publishes champ_cp to fileName_cp, the format by its extension, as the
    // command does with its defaults (PNG at 96 dpi, PDF on A4 landscape),
    // under the rules of targetProblem(); on failure error_rp says why.
    static bool publish( const Championship& champ_cp, const QString& fileName_cp, const QString& title_cp,
                         const QString& format_cp, QString& error_rp );
    // The rules for where a bracket goes, the same for the command line and
    // the window: the format is the name's extension ("png", "svg", "pdf" or
    // "html", given in format_rp) and, unless expected_cp is empty, the one
    // chosen; and the championship's own file (championship_cp), however
    // spelt or linked to, is never written over. Returns what is wrong, in a
    // few Russian words, or an empty text.
    static QString targetProblem( const QString& championship_cp, const QString& output_cp, const QString& expected_cp,
                                  QString& format_rp );
    // Why the reader refused a file, in a few Russian words.
    static QString refusalReason( SaveFile::Refusal refusal_p );
    // --verify: a line for each drawn round, then the attempts that were
    // cancelled or undone; returns the exit code.
    static int verify( const Championship& champ_cp, QTextStream& out_rp );
};

#endif
