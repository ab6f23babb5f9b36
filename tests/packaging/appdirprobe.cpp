// Prints the program folder as Qt reports it. The packaging test runs this through a
// symbolic link to show that a launcher link on the PATH still finds the real folder.
#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QTextStream(stdout) << QCoreApplication::applicationDirPath() << '\n';
    return 0;
}
