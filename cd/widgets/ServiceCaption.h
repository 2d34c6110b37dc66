#pragma once
// The caption that names the CDDB service in the lookup's windows, where a
// picture of the service could stand: plain text, 120 x 30 pixels at least.

class QLabel;
class QWidget;

QLabel* ServiceCaption(QWidget* parent);
