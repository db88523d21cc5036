#include "common/ui/key_filter.h"

#include <gtest/gtest.h>

#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>

#include <functional>

namespace {

const QString kNom = QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ1234567890.- ");

void taper(QLineEdit& boite, const QString& texte)
{
    for (const QChar c : texte)
        QTest::sendKeyEvent(QTest::Click, &boite, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// What the shortcut, the context menu and a middle click all run.
void coller(QLineEdit& boite, const QString& texte)
{
    QGuiApplication::clipboard()->setText(texte);
    boite.paste();
}

} // namespace

// Whatever way text comes in, the box keeps only what it allows, says only
// that, and leaves alone what the program put in it.
TEST(FiltreTouches, NeGardeQueLaPartieAutoriseeDeCeQuiArrive)
{
    using Action = std::function<void(QLineEdit&)>;
    const struct {
        const char* cas;
        bool prix;
        const char* avant;   // set by the program
        Action action;
        const char* apres;
        QStringList annonces; // textChanged, in order
    } cas[] = {
        {"prix collé avec son libellé, gardé pour être refusé", true, "",
         [](QLineEdit& b) { coller(b, QStringLiteral("Prix : 8")); }, "Prix : 8", {QStringLiteral("Prix : 8")}},
        {"prix négatif collé, gardé pour être refusé", true, "", [](QLineEdit& b) { coller(b, QStringLiteral("-5")); },
         "-5", {QStringLiteral("-5")}},
        {"prix collé avec un point", true, "", [](QLineEdit& b) { coller(b, QStringLiteral("12.50")); }, "12,50",
         {QStringLiteral("12,50")}},
        {"prix tapé avec une lettre", true, "", [](QLineEdit& b) { taper(b, QStringLiteral("1.5a")); }, "1,5",
         {QStringLiteral("1"), QStringLiteral("1,"), QStringLiteral("1,5")}},
        {"prix mis par le programme", true, "", [](QLineEdit& b) { b.setText(QStringLiteral("9.9")); }, "9,9",
         {QStringLiteral("9,9")}},
        {"nom automatique complété", false, "P3_Pochette l'été INC - 2 article(s)",
         [](QLineEdit& b) { taper(b, QStringLiteral(" X")); }, "P3_Pochette l'été INC - 2 article(s) X",
         {QStringLiteral("P3_Pochette l'été INC - 2 article(s) "), QStringLiteral("P3_Pochette l'été INC - 2 article(s) X")}},
        {"collage au milieu d'un nom", false, "P3_x",
         [](QLineEdit& b) {
             b.setCursorPosition(3);
             coller(b, QStringLiteral("(a_b)"));
         },
         "P3_abx", {QStringLiteral("P3_abx")}},
        {"touche refusée sur une sélection", false, "abc",
         [](QLineEdit& b) {
             b.selectAll();
             taper(b, QStringLiteral("_"));
         },
         "abc", {}},
        {"collage sans rien de permis", false, "12",
         [](QLineEdit& b) {
             b.selectAll();
             coller(b, QStringLiteral("__"));
         },
         "12", {}},
        {"effacement", false, "a_b", [](QLineEdit& b) { QTest::keyClick(&b, Qt::Key_Backspace); }, "a_", {QStringLiteral("a_")}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        QLineEdit boite;
        if (c.prix)
            filterPrice(&boite);
        else
            filterKeys(&boite, kNom);
        boite.setText(QString::fromUtf8(c.avant));
        QStringList annonces;
        QObject::connect(&boite, &QLineEdit::textChanged, [&annonces](const QString& t) { annonces << t; });
        c.action(boite);
        EXPECT_EQ(boite.text(), QString::fromUtf8(c.apres));
        EXPECT_EQ(annonces, c.annonces);
    }
}

TEST(FiltreTouches, UnPrixNEstSuiviQueDeSonTexteNettoye)
{
    QLineEdit prix;
    QLineEdit suiveuse;
    filterPrice(&prix);
    filterPrice(&suiveuse);
    QObject::connect(&prix, &QLineEdit::textChanged, &suiveuse, &QLineEdit::setText);
    coller(prix, QStringLiteral("12.50"));
    EXPECT_EQ(prix.text(), QStringLiteral("12,50"));
    EXPECT_EQ(prix.cursorPosition(), 5);
    EXPECT_EQ(suiveuse.text(), QStringLiteral("12,50"));
}
