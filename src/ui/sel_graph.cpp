#include "sel_graph.h"

#include "windows.h"

namespace duskwheel::ui {

TDlgSelGraph::TDlgSelGraph(QWidget* parent) : QDialog(parent) {
    RegisterWindow(DlgSelGraph, this, "TDlgSelGraph");
    setWindowTitle(QStringLiteral("Generate graphes"));
    setAttribute(Qt::WA_QuitOnClose, false);
}

TDlgSelGraph::~TDlgSelGraph() {
    UnregisterWindow(DlgSelGraph, this);
}

} // namespace duskwheel::ui
