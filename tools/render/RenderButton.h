#pragma once

#include "platform/WinTypes.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>

// What `orvalin-render button` was asked to draw.
struct ButtonRenderOptions
{
    QString output;
    QSize size{75, 23};
    qint32 buttonType = 2;
    qint32 colorScheme = 1;
    std::optional<ColorRef> backColor;
    std::optional<ColorRef> foreColor;
    QString caption;
    std::optional<QString> fontName;
    std::optional<float> fontSize;
    bool bold = false;
    bool pressed = false;
    bool disabled = false;
    bool focus = false;
    bool noFocusRect = false;
    bool isDefault = false;
    bool help = false;
    bool version = false;
};

// The options after the subcommand; throws OptionError naming the first bad option or value.
ButtonRenderOptions parseButtonOptions(const QStringList &args);
// A fresh Button with the options applied, sized, focused and pressed as asked: its picture
// with alpha 0 outside the window outline.
QImage renderButtonImage(const ButtonRenderOptions &options);
// The subcommand: 0 when the picture is written, 2 for a bad call, 1 when it cannot be written.
int renderButton(const QStringList &args);

extern const char *const renderButtonUsage;
// Every option of the subcommand with what it does, for --help.
QString buttonOptionsHelp();
