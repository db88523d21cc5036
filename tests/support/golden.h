#pragma once

#include <QByteArray>
#include <QString>

// Compares a written document with its expected copy, checked in under the
// tests folder (relativePath, such as "school/class_board/golden/x.html"). A
// difference fails the test, naming the first line that differs.
//
// After a deliberate change of a document, run the test once with
// SCHOOLPHOTO_UPDATE_GOLDEN=1: it rewrites the expected copies instead, and
// the change is reviewed in the diff.
void expectGolden(const QByteArray& actual, const QString& relativePath);
