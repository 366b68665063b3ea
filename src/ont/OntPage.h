#pragma once

#include <QWidget>

class QCheckBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;

namespace tw {

class GridModel;

// Page 1: the eight ONT tabs.
class OntPage : public QWidget {
    Q_OBJECT
  public:
    OntPage(GridModel &listGrid, GridModel &discoveryGrid, GridModel &versionGrid, QWidget *parent = nullptr);

    QTabWidget *tabs;
    QWidget *listTab, *detailTab, *discoveryTab, *searchTab, *registerTab, *onuRegisterTab, *versionTab,
        *flashTab;
    QTableView *ontListGrid, *ontDiscoveryGrid, *ontVersionGrid;
    QPlainTextEdit *detailPane, *searchPane, *registrationPane;
    // Where each tab's own fields and buttons go, above its grid or pane.
    QWidget *listFields, *detailFields, *discoveryFields, *searchFields, *registerFields, *versionFields;

    // "ONT 注册": the manual and batch registration groups share one place; the automatic one.
    QGroupBox *manualGroup, *batchGroup, *autoGroup;
    QCheckBox *autoRegisterBox, *iptvBox, *autoMoveBox;
    QLineEdit *periodBox;
    QPushButton *testAutoRegisterButton;

  private:
    void buildRegisterGroups();
};

// A grid view over a model, with the model's column widths and a context menu request signal.
QTableView *makeGridView(GridModel &model, QWidget *parent);
// Applies the model's captions and widths to the view's header.
void applyGridHeader(QTableView *view, const GridModel &model);
QPlainTextEdit *makeTextPane(QWidget *parent, const QString &objectName);

} // namespace tw
