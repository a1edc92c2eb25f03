#pragma once

#include <QProcessEnvironment>
#include <QString>

// The account whose history and keep list the history commands use, chosen the way the scan
// chooses its client but without signing in. Today that is the environment; this is the one
// place that learns of an account remembered between runs.
struct ChosenAccount
{
    QString backend;
    QString signInName;
};

ChosenAccount chooseAccount(const QProcessEnvironment &environment);

// Nothing names an account, so the built-in demo would stand in: a scheduled check has nobody
// to check for.
bool noAccountRemembered(const QProcessEnvironment &environment);
