// Entry point of QV-Config.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    app.setApplicationName(QStringLiteral("QV-Config"));
    QMainWindow w;
    w.setWindowTitle(QStringLiteral("QV-Config"));
    w.resize(1024, 768);
    w.show();
    return app.exec();
}
