#pragma once

class QWidget;

// Places a window, frame included, at the centre of the screen it is on.
void moveToScreenCentre(QWidget *window);
