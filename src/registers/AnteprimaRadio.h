#pragma once

#include <QDialog>

class WebPreview;

// The radio preview: one browser on the station's address, nothing else. The register window
// navigates it and shows it modally; closing destroys it, and the stream stops with it.
class AnteprimaRadio : public QDialog
{
    Q_OBJECT
public:
    explicit AnteprimaRadio(QWidget* parent = nullptr);

    void navigate(const QString& address);

private:
    WebPreview* WB1 = nullptr;
};
