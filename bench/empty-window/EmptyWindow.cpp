// empty-window: an empty Qt Widgets window the size of corvane's main window. It is the
// yardstick of tools/measure-figures.sh: what any Qt 6 program on this machine pays for
// its start, its memory and its idle time, without anything of ours.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Empty window"));
    // corvane's main window at scale 1.0.
    window.resize(1127, 740);
    window.show();
    return QApplication::exec();
}
