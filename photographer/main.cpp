#include "common/ui/program.h"
#include "photographer/workspace/accueil.h"

int main(int argc, char** argv)
{
    Accueil::registerAsMainWindow();
    return runProgram(argc, argv, QStringLiteral("Zelvantis"), [] { formInstance<Accueil>().showForm(); });
}
