#include "platform/messenger/DemoAccount.h"

MessengerAccount DemoAccount::account()
{
    MessengerAccount account;
    account.signInState = 2;
    account.signInName = QStringLiteral("lucia.ferrer@example.org");
    account.displayName = QStringLiteral("Lucía Ferrer");
    account.contactList = {
        {QStringLiteral("pablo.marin@example.com"), QStringLiteral("Pablo Marín")},
        {QStringLiteral("ana.soto@example.org"), QStringLiteral("Ana Soto")},
        {QStringLiteral("javier.ortega@example.com"), QStringLiteral("Javi (en clase)")},
        {QStringLiteral("Marta.Quiroga@example.com"), QStringLiteral("Marta Quiroga")},
        {QStringLiteral("carmen.vidal@example.org"), QStringLiteral("Carmen ♪ Vidal")},
        {QStringLiteral("sergio.nunez@example.net"), QStringLiteral("Sergio Núñez")},
        {QStringLiteral("elena.rios@example.com"), QStringLiteral("Elena Ríos")},
        {QStringLiteral("diego.castro@example.org"), QStringLiteral("Diego Castro")},
        {QStringLiteral("raquel.pena@example.com"), QStringLiteral("Raquel Peña")},
        {QStringLiteral("tomas.herrera@example.org"), QStringLiteral("Tomás Herrera")},
        {QStringLiteral("irene.molina@example.net"), QStringLiteral("Irene Molina")},
        {QStringLiteral("andres.gil@example.com"), QStringLiteral("Andrés Gil")},
    };
    account.reverseList = {
        {QStringLiteral("pablo.marin@example.com"), QStringLiteral("Pablo Marín")},
        {QStringLiteral("nuria.blanco@example.org"), QStringLiteral("Nuria Blanco")},
        {QStringLiteral("javier.ortega@example.com"), QStringLiteral("Javi (en clase)")},
        {QStringLiteral("marta.quiroga@example.com"), QStringLiteral("Marta Quiroga")},
        {QStringLiteral("carmen.vidal@example.org"), QStringLiteral("Carmen ♪ Vidal")},
        {QStringLiteral("elena.rios@example.com"), QStringLiteral("Elena Ríos")},
        {QStringLiteral("raquel.pena@example.com"), QStringLiteral("Raquel Peña")},
        {QStringLiteral("luis.prieto@example.com"), QStringLiteral("Luis Prieto")},
        {QStringLiteral("irene.molina@example.net"), QStringLiteral("Irene Molina")},
        {QStringLiteral("andres.gil@example.com"), QStringLiteral("Andrés Gil")},
    };
    return account;
}
