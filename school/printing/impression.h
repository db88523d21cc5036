#pragma once

#include <QString>

// Hands a document to the shell: "print", then "open" to show it.
// A missing document (no board built yet) is said in a message and not sent.
void imprimerDocument(const QString& fichier);
