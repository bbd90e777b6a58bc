#include "fileencoding.h"

#include "globaldata.h"

#include <QRegularExpression>
#include <QTextCodec>

#include <algorithm>

QTextCodec* FileEncoding::codecOf( const QByteArray& bytes_cp, QString& utf8Text_rp )
{
    if( QTextCodec* const unicode_cl = QTextCodec::codecForUtfText( bytes_cp, nullptr ) )
        return unicode_cl;
    static const QRegularExpression declaration_scl(
        QStringLiteral( "^<\\?xml[^>]*?\\bencoding\\s*=\\s*[\"']([A-Za-z0-9._-]+)[\"']" ) );
    const QRegularExpressionMatch declared_cl = declaration_scl.match( QString::fromLatin1( bytes_cp.left( 256 ) ) );
    if( declared_cl.hasMatch() )
        return QTextCodec::codecForName( declared_cl.captured( 1 ).toLatin1() );
    // windows-1251 Cyrillic is practically never well-formed UTF-8; a save
    // file that an editor converted to UTF-8 is.
    QTextCodec* const utf8_cl = QTextCodec::codecForName( "UTF-8" );
    const bool beyondAscii_cl =
        std::any_of( bytes_cp.cbegin(), bytes_cp.cend(), []( char byte_p ) { return byte_p < 0; } );
    if( beyondAscii_cl )
    {
        QTextCodec::ConverterState state_l( QTextCodec::IgnoreHeader );
        utf8Text_rp = utf8_cl->toUnicode( bytes_cp.constData(), bytes_cp.size(), &state_l );
        if( !state_l.invalidChars && !state_l.remainingChars )
            return utf8_cl;
        utf8Text_rp.clear();
    }
    return global::data::codec();
}
