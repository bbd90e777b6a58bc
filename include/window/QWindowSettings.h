#ifndef SORTIVANE_QWINDOWSETTINGS_H
#define SORTIVANE_QWINDOWSETTINGS_H

#include <QSize>
#include <QString>

class QMainWindow;

// What the window remembers from one run to the next: its place and the
// state of its bars, the zoom of the bracket, the folder of the last file
// chosen and whether a draw asks for the hall's word, and where and under
// which title each championship was published.
class QWindowSettings
{
public:
    // What a desktop's title bar and borders take, at most, around a window
    // not shown yet, whose frame nobody knows.
    static constexpr QSize FRAME_ALLOWANCE { 16, 48 };

    // The remembered place when the window still fits the screen it opens
    // on; otherwise a first place of 1280 × 800 pixels, or less on a smaller
    // screen, in the middle of it, its top left corner on the screen.
    static void restoreGeometry( QMainWindow* window_p );
    static void storeGeometry( const QMainWindow* window_p );
    static int zoom( int default_p );
    static void setZoom( int percents_p );
    static QString folder( const QString& default_cp );
    static void setFolder( const QString& folder_cp );
    // Whether each draw first asks for the hall's word; off at first.
    static bool askHallWord();
    static void setAskHallWord( bool ask_p );
    // The bracket's view: the tree rather than the diagram; the show's pace.
    static bool treeShown();
    static void setTreeShown( bool tree_p );
    static bool hallPace();
    static void setHallPace( bool hall_p );
    // Where the bracket of the championship saved in file_cp was last
    // published to (of any championship not saved yet, for an empty
    // file_cp), and under which title; empty when never.
    static QString publishFolder( const QString& file_cp );
    static QString publishTitle( const QString& file_cp );
    static void setPublished( const QString& file_cp, const QString& folder_cp, const QString& title_cp );
};

#endif
