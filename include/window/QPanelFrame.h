#ifndef SORTIVANE_QPANELFRAME_H
#define SORTIVANE_QPANELFRAME_H

#include <QFrame>

class QAbstractItemModel;
class QAbstractItemView;
class QHBoxLayout;
class QToolButton;

// A boxed panel of the main window: its title, a row of tool buttons and a
// view of one item model below them.
class QPanelFrame : public QFrame
{
    Q_OBJECT

public:
    QPanelFrame( const QString& title_cp, QWidget* parent_p );

    // "Из списка … будет удалён(о) n выделенный(ых) элемент(а, ов)."
    static QString removalQuestion( const QString& listPart_cp, int amount_p );
    // "выделенный" or "выделенных", with a blank on each side.
    static QString selectedWord( int amount_p );
    // "элемент", "элемента" or "элементов" for 1, 2 to 4 and other amounts.
    static QString elementWord( int amount_p );

protected:
    QToolButton* addToolButton( const char* name_p, const QString& iconName_cp, const QString& toolTip_cp,
                                bool enabled_p );
    void addButtonsStretch();
    // Puts the view, with extended selection, at the bottom of the panel.
    void setPanelView( QAbstractItemView* view_p, QAbstractItemModel* model_p, const char* name_p );

private:
    QHBoxLayout* buttons_m = nullptr;
};

#endif
