#include "exportcommand.h"

#include "atomicfile.h"
#include "bracketlayout.h"
#include "bracketmarkup.h"
#include "bracketpainter.h"
#include "championship.h"
#include "drawcheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QIODevice>
#include <QImage>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace
{
const double MIN_SCALE = 0.25;
const double MAX_SCALE = 8;

const QString& programName()
{
    static const QString name_scl = QStringLiteral( "sortivane-export" );
    return name_scl;
}

// The command's own options, besides help and version.
struct Options
{
    QCommandLineOption output_m { { QStringLiteral( "o" ), QStringLiteral( "output" ) },
                                  QStringLiteral( "Куда записать сетку; формат по расширению: .png, .svg, .pdf или "
                                                  ".html. По умолчанию: PNG рядом с файлом чемпионата." ),
                                  QStringLiteral( "файл" ) };
    QCommandLineOption title_m { QStringLiteral( "title" ),
                                 QStringLiteral( "Заголовок сетки; по умолчанию имя файла чемпионата без расширения." ),
                                 QStringLiteral( "текст" ) };
    QCommandLineOption scale_m { QStringLiteral( "scale" ),
                                 QStringLiteral( "Масштаб PNG: 1 - 96 точек на дюйм (от 0.25 до 8)." ),
                                 QStringLiteral( "число" ), QStringLiteral( "1" ) };
    QCommandLineOption page_m {
        QStringLiteral( "page" ),
        QStringLiteral( "Страница PDF: A4, A3 или auto (по размеру сетки, до 200 дюймов); по умолчанию A4." ),
        QStringLiteral( "размер" ), QStringLiteral( "A4" )
    };
    QCommandLineOption landscape_m { QStringLiteral( "landscape" ),
                                     QStringLiteral( "Альбомная страница PDF (по умолчанию)." ) };
    QCommandLineOption portrait_m { QStringLiteral( "portrait" ), QStringLiteral( "Книжная страница PDF." ) };
    QCommandLineOption verify_m { QStringLiteral( "verify" ),
                                  QStringLiteral( "Проверить записанные жеребьевки вместо публикации сетки." ) };
};

// What the command line asks for, once it passed every check.
struct Request
{
    QString input_m;
    QString output_m;
    QString format_m; // "png", "svg", "pdf" or "html"
    QString title_m;
    double scale_m = 1;
    BracketPainter::Page page_m;
    bool verify_m = false;
    bool defaultOutput_m = false;
};

// Fills request_rp from the parsed command line; returns what is wrong with
// it, or an empty text.
QString readRequest( const QCommandLineParser& parser_cp, const Options& options_cp, Request& request_rp )
{
    const QStringList files_cl = parser_cp.positionalArguments();
    if( files_cl.size() != 1 )
        return files_cl.isEmpty() ? QStringLiteral( "не указан файл чемпионата." )
                                  : QStringLiteral( "указано больше одного файла чемпионата." );
    request_rp.input_m = files_cl.first();
    request_rp.verify_m = parser_cp.isSet( options_cp.verify_m );
    if( request_rp.verify_m )
        return QString();
    request_rp.output_m = parser_cp.value( options_cp.output_m );
    // Without -o: a picture beside the championship, named after it.
    if( request_rp.output_m.isEmpty() )
    {
        const QFileInfo input_cl( request_rp.input_m );
        request_rp.output_m = input_cl.dir().filePath( input_cl.completeBaseName() + QStringLiteral( ".png" ) );
        request_rp.defaultOutput_m = true;
    }
    QString wrongTarget_l =
        ExportCommand::targetProblem( request_rp.input_m, request_rp.output_m, QString(), request_rp.format_m );
    if( !wrongTarget_l.isEmpty() )
        return wrongTarget_l;
    request_rp.title_m = parser_cp.isSet( options_cp.title_m ) ? parser_cp.value( options_cp.title_m )
                                                               : QFileInfo( request_rp.input_m ).completeBaseName();
    bool scaleRead_l = false;
    request_rp.scale_m = parser_cp.value( options_cp.scale_m ).toDouble( &scaleRead_l );
    // Written so that NaN fails too.
    if( !scaleRead_l || !( request_rp.scale_m >= MIN_SCALE && request_rp.scale_m <= MAX_SCALE ) )
        return QStringLiteral( "масштаб «%1» - не число от 0.25 до 8." ).arg( parser_cp.value( options_cp.scale_m ) );
    const QString page_cl = parser_cp.value( options_cp.page_m ).toLower();
    if( page_cl == QLatin1String( "a3" ) )
        request_rp.page_m.size_m = QPageSize::A3;
    else if( page_cl == QLatin1String( "auto" ) )
        request_rp.page_m.natural_m = true;
    else if( page_cl != QLatin1String( "a4" ) )
        return QStringLiteral( "неизвестная страница «%1»: нужна A4, A3 или auto." )
            .arg( parser_cp.value( options_cp.page_m ) );
    if( parser_cp.isSet( options_cp.landscape_m ) && parser_cp.isSet( options_cp.portrait_m ) )
        return QStringLiteral( "страница не может быть сразу альбомной и книжной." );
    request_rp.page_m.landscape_m = !parser_cp.isSet( options_cp.portrait_m );
    return QString();
}

// Writes the format the request names, whole or not at all.
bool writeBracket( const Request& request_cp, const Championship& champ_cp, QString& error_rp )
{
    const BracketLayout layout_cl( champ_cp, request_cp.title_m );
    std::function< bool( QIODevice* ) > fill_l;
    QImage image_l;
    if( request_cp.format_m == QLatin1String( "png" ) )
    {
        // Drawn before the file is opened: a picture too large for memory
        // leaves nothing behind.
        image_l = BracketPainter::image( layout_cl, request_cp.scale_m );
        if( image_l.isNull() )
        {
            error_rp = QStringLiteral( "картинка в %1 x %2 точек не помещается в память, уменьшите --scale" )
                           .arg( std::ceil( layout_cl.size().width() * request_cp.scale_m ) )
                           .arg( std::ceil( layout_cl.size().height() * request_cp.scale_m ) );
            return false;
        }
        fill_l = [ & ]( QIODevice* device_p )
        { return BracketPainter::writePng( image_l, layout_cl.title(), device_p ); };
    }
    else if( request_cp.format_m == QLatin1String( "pdf" ) )
        fill_l = [ & ]( QIODevice* device_p )
        { return BracketPainter::writePdf( layout_cl, request_cp.page_m, device_p ); };
    else if( request_cp.format_m == QLatin1String( "svg" ) )
        fill_l = [ & ]( QIODevice* device_p ) { return BracketMarkup::writeSvg( layout_cl, device_p ); };
    else
        fill_l = [ & ]( QIODevice* device_p ) { return BracketMarkup::writeHtml( layout_cl, champ_cp, device_p ); };
    return AtomicFile::write( request_cp.output_m, fill_l, &error_rp );
}

void printExitCodes( QTextStream& out_rp )
{
    out_rp << QStringLiteral( "Коды выхода:\n"
                              "  0  сетка записана\n"
                              "  2  ошибка в командной строке\n"
                              "  3  файл чемпионата не прочитан или отвергнут\n"
                              "  4  сетка не записана (прежний файл, если был, не тронут)\n"
                              "  5  --verify: жеребьевка не следует из своей записи\n" );
}
}

int ExportCommand::run( const QStringList& arguments_cp, QTextStream& out_rp, QTextStream& err_rp )
{
    QCommandLineParser parser_l;
    parser_l.setApplicationDescription(
        QStringLiteral( "Публикует сетку чемпионата Sortivane: рисует ее в PNG, SVG, PDF или HTML." ) );
    const QCommandLineOption help_cl = parser_l.addHelpOption();
    const QCommandLineOption version_cl = parser_l.addVersionOption();
    const Options options_cl;
    parser_l.addOptions( { options_cl.output_m, options_cl.title_m, options_cl.scale_m, options_cl.page_m,
                           options_cl.landscape_m, options_cl.portrait_m, options_cl.verify_m } );
    parser_l.addPositionalArgument( QStringLiteral( "чемпионат.stv" ),
                                    QStringLiteral( "Файл чемпионата, сохраненный Sortivane." ) );

    // parse(), not process(): process() exits with code 1 on a usage error.
    Request request_l;
    const QString wrong_cl = !parser_l.parse( arguments_cp ) ? parser_l.errorText()
                             : parser_l.isSet( help_cl ) || parser_l.isSet( version_cl )
                                 ? QString()
                                 : readRequest( parser_l, options_cl, request_l );
    if( !wrong_cl.isEmpty() )
    {
        err_rp << programName() << ": " << wrong_cl << '\n'
               << QStringLiteral( "Подробнее: %1 --help" ).arg( programName() ) << '\n';
        return USAGE;
    }
    if( parser_l.isSet( help_cl ) )
    {
        out_rp << parser_l.helpText() << '\n';
        printExitCodes( out_rp );
        return WRITTEN;
    }
    if( parser_l.isSet( version_cl ) )
    {
        out_rp << programName() << ' ' << QCoreApplication::applicationVersion() << '\n';
        return WRITTEN;
    }

    Championship champ_l;
    SaveFile::Refusal refusal_l = SaveFile::Refusal::None;
    if( !SaveFile::read( request_l.input_m, champ_l, &refusal_l ) )
    {
        err_rp << programName() << ": "
               << QStringLiteral( "файл чемпионата «%1» не прочитан: %2." )
                      .arg( request_l.input_m, refusalReason( refusal_l ) )
               << '\n';
        return NOT_READ;
    }
    if( request_l.verify_m )
        return verify( champ_l, out_rp );
    QString error_l;
    if( !writeBracket( request_l, champ_l, error_l ) )
    {
        err_rp << programName() << ": "
               << QStringLiteral( "сетка не записана в «%1»: %2." ).arg( request_l.output_m, error_l ) << '\n';
        return NOT_WRITTEN;
    }
    if( request_l.defaultOutput_m )
        out_rp << QStringLiteral( "Сетка записана в «%1»." ).arg( request_l.output_m ) << '\n';
    return WRITTEN;
}

bool ExportCommand::publish( const Championship& champ_cp, const QString& fileName_cp, const QString& title_cp,
                             const QString& format_cp, QString& error_rp )
{
    Request request_l;
    request_l.output_m = fileName_cp;
    error_rp = targetProblem( champ_cp.fileName(), fileName_cp, format_cp, request_l.format_m );
    if( !error_rp.isEmpty() )
        return false;
    request_l.title_m = title_cp;
    return writeBracket( request_l, champ_cp, error_rp );
}

QString ExportCommand::targetProblem( const QString& championship_cp, const QString& output_cp,
                                      const QString& expected_cp, QString& format_rp )
{
    format_rp = QFileInfo( output_cp ).suffix().toLower();
    if( format_rp == QLatin1String( "htm" ) )
        format_rp = QStringLiteral( "html" );
    static const QStringList formats_scl { QStringLiteral( "png" ), QStringLiteral( "svg" ), QStringLiteral( "pdf" ),
                                           QStringLiteral( "html" ) };
    if( !formats_scl.contains( format_rp ) )
        return QStringLiteral( "неизвестный формат файла «%1»: нужен .png, .svg, .pdf или .html." )
            .arg( QFileInfo( output_cp ).fileName() );
    if( !expected_cp.isEmpty() && format_rp != expected_cp )
        return QStringLiteral( "имя «%1» не того формата, что выбран: нужно расширение .%2." )
            .arg( QFileInfo( output_cp ).fileName(), expected_cp );
    // Publishing over the championship itself would lose it, whatever the
    // spelling of its path or a link to it.
    const QString championship_cl = QFileInfo( championship_cp ).canonicalFilePath();
    if( !championship_cp.isEmpty() && !championship_cl.isEmpty()
        && championship_cl == QFileInfo( output_cp ).canonicalFilePath() )
        return QStringLiteral( "сетка записалась бы поверх самого файла чемпионата «%1»." ).arg( championship_cp );
    return QString();
}

namespace
{
QString verdictText( const DrawCheck::Round& round_cp )
{
    if( DrawCheck::Matches == round_cp.verdict_m )
        return QStringLiteral( "совпадает" );
    if( DrawCheck::NotRecorded == round_cp.verdict_m )
        return QStringLiteral( "не записано" );
    if( !round_cp.problem_m.isEmpty() )
        return QStringLiteral( "не совпадает: " ) + round_cp.problem_m;
    if( !round_cp.commitment_m )
        return QStringLiteral( "не совпадает (секрет не соответствует коду жеребьевки)" );
    if( !round_cp.pool_m )
        return QStringLiteral( "не совпадает (в туре не те игроки, что в него вышли)" );
    return QStringLiteral( "не совпадает (игра №%1)" ).arg( round_cp.game_m );
}
}

int ExportCommand::verify( const Championship& champ_cp, QTextStream& out_rp )
{
    const DrawCheck check_cl( champ_cp );
    for( const DrawCheck::Round& round_crl : check_cl.rounds() )
    {
        const QString title_cl = roundTitle( round_crl.denominator_m );
        // Joined, not formatted: the word may hold "%1" itself.
        if( round_crl.version_m )
            out_rp << title_cl << QStringLiteral( ": код " ) << round_crl.code_m << ", "
                   << DrawCheck::wordText( round_crl.word_m ) << QStringLiteral( ", попытка " ) << round_crl.attempt_m
                   << '\n';
        if( DrawRecord::FIRST_VERSION == round_crl.version_m )
            out_rp << QStringLiteral( "  запись старого образца: состав тура не закреплён\n" );
        for( const RenameLogEntry& rename_crl : round_crl.renames_m )
            out_rp << "  " << DrawCheck::renameText( rename_crl ) << '\n';
        out_rp << title_cl << ": " << verdictText( round_crl ) << '\n';
    }
    for( const QString& problem_crl : check_cl.problems() )
        out_rp << problem_crl << '\n';
    const auto attempts_l =
        [ &champ_cp, &out_rp ]( const QVector< DrawLogEntry::Outcome >& outcomes_cp, const QString& caption_cp )
    {
        QStringList when_l;
        for( const DrawLogEntry& entry_crl : champ_cp.drawLog() )
            if( outcomes_cp.contains( entry_crl.outcome_m ) )
                // Entries of the first version logged no word.
                when_l << QStringLiteral( "%1, попытка %2, %3, код %4" )
                                  .arg( roundTitle( entry_crl.denominator_m ) )
                                  .arg( entry_crl.attempt_m )
                                  .arg( DrawCheck::timeText( entry_crl.time_m ),
                                        DrawRecord::shownCode( entry_crl.commitment_m ) )
                              + ( entry_crl.commitment_m.size() > 16 ? ", " + DrawCheck::wordText( entry_crl.word_m )
                                                                     : QString() );
        out_rp << caption_cp << ": " << when_l.size() << '\n';
        for( const QString& line_crl : when_l )
            out_rp << "  " << line_crl << '\n';
    };
    // A draw logged as started in a file was cut short with the program.
    attempts_l( { DrawLogEntry::Cancelled, DrawLogEntry::Started }, QStringLiteral( "Прерванные жеребьевки" ) );
    attempts_l( { DrawLogEntry::Undone }, QStringLiteral( "Отменённые жеребьевки" ) );
    out_rp.flush();
    return check_cl.passes() ? WRITTEN : NOT_VERIFIED;
}

QString ExportCommand::refusalReason( SaveFile::Refusal refusal_p )
{
    switch( refusal_p )
    {
    case SaveFile::Refusal::None:
    case SaveFile::Refusal::Unreadable:
        return QStringLiteral( "файла нет или его нельзя прочитать" );
    case SaveFile::Refusal::NotARegularFile:
        return QStringLiteral( "это не обычный файл" );
    case SaveFile::Refusal::TooLarge:
        return QStringLiteral( "файл больше 64 МиБ" );
    case SaveFile::Refusal::NestedTooDeep:
        return QStringLiteral( "вложенность XML глубже, чем в любом файле чемпионата" );
    case SaveFile::Refusal::InternalSubset:
        return QStringLiteral( "файл объявляет свои сущности DTD" );
    case SaveFile::Refusal::NotASaveFile:
        return QStringLiteral( "это не файл чемпионата Sortivane" );
    case SaveFile::Refusal::BadNumber:
        return QStringLiteral( "номер или количество в файле - не целое число в допустимых пределах" );
    case SaveFile::Refusal::RepeatedId:
        return QStringLiteral( "номер группы, игрока или нации повторяется" );
    case SaveFile::Refusal::Inconsistent:
        return QStringLiteral( "части файла противоречат друг другу" );
    case SaveFile::Refusal::Unplayable:
        return QStringLiteral( "сетку из файла нельзя доиграть до финала" );
    case SaveFile::Refusal::BeyondBounds:
        return QStringLiteral( "в файле больше разметки или длиннее имена, чем нужно любому чемпионату" );
    }
    return QString();
}
