// Precompiled header of the Qt-based libraries: the Qt headers that most files include.
#pragma once
#include <QtCore/QString>
#include <QtCore/QList>
#include <QtGui/QImage>
#include <QtGui/QPainter>
#include <QtGui/QFont>
#include <QtGui/QRegion>
#include <QtGui/QTransform>
#include <cstdint>
#include <string>
#include <vector>
#include <memory>
