#pragma once
// Precompiled Qt headers: the heavy ones every subsystem includes.
#include <QtCore>
#include <QtGui>
#include <QtWidgets>
