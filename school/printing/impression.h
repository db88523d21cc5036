#pragma once

#include <QString>

// Hands a document to the shell: "print", then, once printed, "open" to show
// it. True when printed. A missing document (no board built yet) is said in a
// message and not sent; a print cancelled or refused opens nothing.
bool imprimerDocument(const QString& fichier);
