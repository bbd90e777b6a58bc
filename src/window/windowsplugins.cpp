// The static Qt for Windows carries its plugins inside each program: the
// window's platform, its native style and the printers.
#include <QtPlugin>

Q_IMPORT_PLUGIN( QWindowsIntegrationPlugin )
Q_IMPORT_PLUGIN( QWindowsVistaStylePlugin )
Q_IMPORT_PLUGIN( QWindowsPrinterSupportPlugin )
