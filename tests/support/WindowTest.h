#pragma once

// What the window tests share, in one include: QtTest and the usual controls, controls by name, the
// modal-window driver and a temporary program folder with its files and configuration record.
#include "support/Find.h"
#include "support/ModalDriver.h"
#include "support/core/ConfigurationRow.h"
#include "support/core/FileBytes.h"
#include "support/core/TestFolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
