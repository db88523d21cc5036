#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

#include <functional>

#include <gtest/gtest.h>

// Drives an open window by the names of its controls, as a user would. A
// control that is missing, or a window that is not open, fails the test.
class PiloteFenetre {
public:
    explicit PiloteFenetre(std::function<QWidget*()> fenetre) : fenetre_(std::move(fenetre)) {}

    template <class W>
    W* controle(const QString& nom) const
    {
        QWidget* fenetre = fenetre_();
        W* widget = fenetre ? fenetre->findChild<W*>(nom) : nullptr;
        EXPECT_NE(widget, nullptr) << nom.toStdString();
        return widget;
    }
    // The texts of a list, top to bottom.
    QStringList entrees(const QString& liste) const;
    void cliquer(const QString& nom) const;
    // A choice in a list, as the user makes it.
    void choisir(const QString& liste, const QString& texte) const;

private:
    std::function<QWidget*()> fenetre_;
};
