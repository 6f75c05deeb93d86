// chronell: the window over the engine.
#include <QApplication>

#include "analysis/regional_settings.h"
#include "ui/FMain.h"

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    chronell::LoadRegionalSettings();
    TfoMain window;
    foMain = &window;
    window.show();
    return QApplication::exec();
}
