#include "QPublishing.h"

#include "QWindowSettings.h"
#include "bracketlayout.h"
#include "bracketpainter.h"
#include "exportcommand.h"
#include "globals.h"

#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include <cmath>

namespace
{
const QStringList& formatFilters()
{
    static const QStringList filters_scl { QStringLiteral( "PNG (*.png)" ), QStringLiteral( "SVG (*.svg)" ),
                                           QStringLiteral( "PDF (*.pdf)" ), QStringLiteral( "HTML (*.html)" ) };
    return filters_scl;
}

// "png" of "PNG (*.png)".
QString formatOfFilter( const QString& filter_cp )
{
    return filter_cp.section( QLatin1String( "*." ), 1 ).chopped( 1 );
}

void printTiles( const BracketLayout& layout_cp, QPrinter& printer_rp, QPainter& painter_rp )
{
    const double scale_cl = printer_rp.resolution() / 96.0;
    const QRectF page_cl = printer_rp.pageLayout().paintRectPixels( printer_rp.resolution() );
    const QSizeF tile_cl( page_cl.width() / scale_cl, page_cl.height() / scale_cl - 16 );
    const QVector< QVector< QPointF > > rows_cl = QPublishing::tileOrigins( layout_cp.size(), tile_cl );
    for( int row_l = 0; row_l < rows_cl.size(); ++row_l )
        for( int column_l = 0; column_l < rows_cl.at( row_l ).size(); ++column_l )
        {
            if( row_l || column_l )
                printer_rp.newPage();
            painter_rp.save();
            painter_rp.scale( scale_cl, scale_cl );
            painter_rp.setClipRect( QRectF( QPointF(), tile_cl ) );
            painter_rp.translate( -rows_cl.at( row_l ).at( column_l ) );
            BracketPainter::paint( layout_cp, painter_rp );
            painter_rp.restore();
            // The strip the next tile repeats, and the tile's place.
            const int columns_cl = rows_cl.at( row_l ).size();
            painter_rp.save();
            painter_rp.scale( scale_cl, scale_cl );
            painter_rp.setPen( QPen( Qt::gray, 0.5, Qt::DashLine ) );
            if( column_l + 1 < columns_cl )
                painter_rp.drawLine( QPointF( tile_cl.width() - QPublishing::TILE_OVERLAP, 0 ),
                                     QPointF( tile_cl.width() - QPublishing::TILE_OVERLAP, tile_cl.height() ) );
            if( row_l + 1 < rows_cl.size() )
                painter_rp.drawLine( QPointF( 0, tile_cl.height() - QPublishing::TILE_OVERLAP ),
                                     QPointF( tile_cl.width(), tile_cl.height() - QPublishing::TILE_OVERLAP ) );
            painter_rp.setPen( Qt::darkGray );
            painter_rp.setFont( BracketLayout::font( BracketLayout::Note ) );
            painter_rp.drawText( QPointF( 0, tile_cl.height() + 12 ),
                                 QStringLiteral( "%1 - ряд %2 из %3, лист %4 из %5" )
                                     .arg( layout_cp.title() )
                                     .arg( row_l + 1 )
                                     .arg( rows_cl.size() )
                                     .arg( column_l + 1 )
                                     .arg( columns_cl ) );
            painter_rp.restore();
        }
}
}

QPublishing::QPublishing( QMenu* menu_p, QWidget* window_p ) : QObject( window_p ), window_m( window_p )
{
    menu_p->addSeparator();
    QAction* const publish_cl = menu_p->addAction( QStringLiteral( "Опубликовать …" ) );
    publish_cl->setToolTip( QStringLiteral( "Записать сетку в PNG, SVG, PDF или HTML" ) );
    QAction* const print_cl = menu_p->addAction( QStringLiteral( "Печать …" ) );
    print_cl->setShortcut( QKeySequence::Print );
    connect( publish_cl, "2triggered()", this, "1slotPublish()" );
    connect( print_cl, "2triggered()", this, "1slotPrint()" );
}

void QPublishing::print( const BracketLayout& layout_cp, QPrinter& printer_rp, bool tiled_p )
{
    QPainter painter_l( &printer_rp );
    if( tiled_p )
    {
        printTiles( layout_cp, printer_rp, painter_l );
        return;
    }
    const QRectF page_cl = printer_rp.pageLayout().paintRectPixels( printer_rp.resolution() );
    const QRectF place_cl = fittedPlace( layout_cp.size(), page_cl.size() );
    painter_l.translate( place_cl.topLeft() );
    painter_l.scale( place_cl.width() / layout_cp.size().width(), place_cl.height() / layout_cp.size().height() );
    BracketPainter::paint( layout_cp, painter_l );
}

QVector< QVector< QPointF > > QPublishing::tileOrigins( const QSizeF& size_cp, const QSizeF& tile_cp )
{
    const auto count_cl = []( double length_p, double tile_p )
    { return std::max( 1, int( std::ceil( ( length_p - TILE_OVERLAP ) / ( tile_p - TILE_OVERLAP ) ) ) ); };
    const int columns_cl = count_cl( size_cp.width(), tile_cp.width() );
    QVector< QVector< QPointF > > rows_l( count_cl( size_cp.height(), tile_cp.height() ) );
    for( int row_l = 0; row_l < rows_l.size(); ++row_l )
        for( int column_l = 0; column_l < columns_cl; ++column_l )
            rows_l[ row_l ].append(
                QPointF( column_l * ( tile_cp.width() - TILE_OVERLAP ), row_l * ( tile_cp.height() - TILE_OVERLAP ) ) );
    return rows_l;
}

QRectF QPublishing::fittedPlace( const QSizeF& size_cp, const QSizeF& page_cp )
{
    const QSizeF fitted_cl = size_cp.scaled( page_cp, Qt::KeepAspectRatio );
    return QRectF(
        QPointF( ( page_cp.width() - fitted_cl.width() ) / 2, ( page_cp.height() - fitted_cl.height() ) / 2 ),
        fitted_cl );
}

QString QPublishing::title()
{
    const QString& fileName_crl = global::data::champ().fileName();
    return fileName_crl.isEmpty() ? QStringLiteral( "Чемпионат" ) : QFileInfo( fileName_crl ).completeBaseName();
}

void QPublishing::slotPublish()
{
    const QString& champFile_crl = global::data::champ().fileName();
    QFileDialog dialog_l( window_m, QStringLiteral( "Опубликовать сетку" ) );
    dialog_l.setOption( QFileDialog::DontUseNativeDialog );
    dialog_l.setWindowIcon( global::icons::appIcon() );
    dialog_l.setAcceptMode( QFileDialog::AcceptSave );
    dialog_l.setNameFilters( formatFilters() );
    dialog_l.setDefaultSuffix( QStringLiteral( "png" ) );
    dialog_l.setDirectory( startFolder() );
    dialog_l.selectFile( title() + QStringLiteral( ".png" ) );
    dialog_l.setLabelText( QFileDialog::FileName, QStringLiteral( "Имя файла" ) );
    dialog_l.setLabelText( QFileDialog::FileType, QStringLiteral( "Формат" ) );
    dialog_l.setLabelText( QFileDialog::Accept, QStringLiteral( "Опубликовать" ) );
    dialog_l.setLabelText( QFileDialog::Reject, QStringLiteral( "Отменить" ) );
    QLineEdit* const heading_cl = addTitleField( dialog_l );
    const QString remembered_cl = QWindowSettings::publishTitle( champFile_crl );
    heading_cl->setText( remembered_cl.isEmpty() ? title() : remembered_cl );
    // A name typed without extension takes the chosen format's.
    connect( &dialog_l, &QFileDialog::filterSelected, &dialog_l,
             [ &dialog_l ]( const QString& filter_cp ) { dialog_l.setDefaultSuffix( formatOfFilter( filter_cp ) ); } );
    if( QDialog::Accepted != dialog_l.exec() || dialog_l.selectedFiles().size() != 1 )
        return;
    const QString fileName_cl = dialog_l.selectedFiles().front();
    const QString heading_l = heading_cl->text().trimmed().isEmpty() ? title() : heading_cl->text().trimmed();
    // The format is the chosen filter's; a name of another is refused.
    const QString format_cl = formatOfFilter( dialog_l.selectedNameFilter() );
    QString error_l;
    if( ExportCommand::publish( global::data::champ(), fileName_cl, heading_l, format_cl, error_l ) )
    {
        QWindowSettings::setPublished( champFile_crl, dialog_l.directory().absolutePath(), heading_l );
        global::widgets::showResult( QMessageBox::Information,
                                     QStringLiteral( "Сетка опубликована в файл\n\"%1\"" ).arg( fileName_cl ) );
    }
    else
        global::widgets::showResult(
            QMessageBox::Warning,
            QStringLiteral( "Не удалось опубликовать сетку в файл\n\"%1\"\n%2" ).arg( fileName_cl, error_l ) );
}

QString QPublishing::startFolder()
{
    // Where this championship was published before, else beside its file;
    // one not saved yet goes where the last one went.
    const QString& champFile_crl = global::data::champ().fileName();
    QString published_l = QWindowSettings::publishFolder( champFile_crl );
    if( !published_l.isEmpty() && QFileInfo( published_l ).isDir() )
        return published_l;
    if( !champFile_crl.isEmpty() )
        return QFileInfo( champFile_crl ).absolutePath();
    return QWindowSettings::folder( QDir::currentPath() );
}

QLineEdit* QPublishing::addTitleField( QFileDialog& dialog_rp )
{
    // The dialog's own grid: the title is a row below the name and format.
    QGridLayout* const grid_cl = qobject_cast< QGridLayout* >( dialog_rp.layout() );
    QLineEdit* const field_cl = new QLineEdit( &dialog_rp );
    field_cl->setObjectName( QStringLiteral( "publishTitleEdit" ) );
    QLabel* const label_cl = new QLabel( QStringLiteral( "Заголовок" ), &dialog_rp );
    label_cl->setBuddy( field_cl );
    if( grid_cl )
    {
        const int row_cl = grid_cl->rowCount();
        grid_cl->addWidget( label_cl, row_cl, 0 );
        grid_cl->addWidget( field_cl, row_cl, 1 );
    }
    return field_cl;
}

void QPublishing::slotPrint()
{
    const BracketLayout layout_cl( global::data::champ(), title() );
    QPrinter printer_l( QPrinter::HighResolution );
    printer_l.setPageOrientation( QPageLayout::Landscape );
    QDialog preview_l( window_m, Qt::CustomizeWindowHint | Qt::WindowTitleHint );
    preview_l.setWindowTitle( QStringLiteral( "Печать сетки" ) );
    preview_l.setWindowIcon( global::icons::appIcon() );
    QVBoxLayout* const layout_l = new QVBoxLayout( &preview_l );
    QPrintPreviewWidget* const pages_cl = new QPrintPreviewWidget( &printer_l, &preview_l );
    QHBoxLayout* const buttons_l = new QHBoxLayout();
    QComboBox* const fit_cl = new QComboBox( &preview_l );
    fit_cl->addItems( { QStringLiteral( "Уместить на одну страницу" ), QStringLiteral( "Разбить на страницы" ) } );
    QPushButton* const print_cl = new QPushButton( QStringLiteral( "Печать…" ), &preview_l );
    QPushButton* const close_cl =
        new QPushButton( global::icons::crossIcon(), QStringLiteral( "Закрыть" ), &preview_l );
    buttons_l->addWidget( fit_cl );
    buttons_l->addStretch( 1 );
    buttons_l->addWidget( print_cl );
    buttons_l->addWidget( close_cl );
    layout_l->addWidget( pages_cl );
    layout_l->addLayout( buttons_l );
    connect( pages_cl, &QPrintPreviewWidget::paintRequested, &preview_l,
             [ &layout_cl, fit_cl ]( QPrinter* printer_p )
             { print( layout_cl, *printer_p, 1 == fit_cl->currentIndex() ); } );
    connect( fit_cl, QOverload< int >::of( &QComboBox::currentIndexChanged ), pages_cl,
             &QPrintPreviewWidget::updatePreview );
    connect( close_cl, "2released()", &preview_l, "1reject()" );
    connect( print_cl, &QPushButton::released, &preview_l,
             [ &printer_l, &preview_l, &layout_cl, fit_cl ]
             {
                 QPrintDialog choose_l( &printer_l, &preview_l );
                 if( QDialog::Accepted != choose_l.exec() )
                     return;
                 print( layout_cl, printer_l, 1 == fit_cl->currentIndex() );
                 preview_l.accept();
             } );
    preview_l.resize( 900, 700 );
    preview_l.exec();
}
