#include "common/ui/program.h"
#include "school/workspace/form_accueil.h"

int main(int argc, char** argv)
{
    FormAccueil::registerAsMainWindow();
    return runProgram(argc, argv, QStringLiteral("Vizmora"), [] { formInstance<FormAccueil>().showForm(); });
}
