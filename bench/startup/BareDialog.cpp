// The yardstick: the least a Qt Widgets program does to show a dialog.
#include <QApplication>
#include <QDialog>
#include <QPushButton>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QDialog dialog;
    dialog.setWindowTitle("BareDialog");
    dialog.setFixedSize(425, 223);
    new QPushButton("OK", &dialog);
    return dialog.exec() == QDialog::Accepted ? 0 : 0;
}
