#pragma once

#include <QString>

class QWidget;

// The one place that hands linked documents and home pages to the desktop. Failures show a
// fixed Dutch text in a box owned by owner (caption "Let Op", stop icon, one OK button);
// callers are told nothing and carry on alike either way.
void OpenDocument(QWidget* owner, const QString& path);
void PrintDocument(QWidget* owner, const QString& path);

// The text shown for a shell result of 32 or less; empty for results that show nothing.
QString ShellFailureText(int result);

// Shows the failure box for a shell result, if the result calls for one.
void ReportShellResult(QWidget* owner, int result);
