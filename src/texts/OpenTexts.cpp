#include "texts/OpenTexts.h"

#include "texts/Form4.h"
#include "texts/MostroAvviso.h"
#include "texts/TempoChiamata.h"

void OpenForm4(Store& store, QWidget* parent)
{
    Form4 window(store, parent);
    window.exec();
}

void OpenTempoChiamata(Store& store, QWidget* parent)
{
    TempoChiamata window(store, parent);
    window.exec();
}

void OpenMostroAvviso(Store& store, QWidget* parent)
{
    MostroAvviso window(store, parent);
    window.exec();
}
