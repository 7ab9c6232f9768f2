#pragma once

class MainWindow;
struct Services;

// Opens the chosen creditor's login page in the built-in browser from the main window's picture and "Go".
// Only the program links the web engine; the engine itself starts when the browser first opens.
void attachLoginBrowser(MainWindow& window, Services& services);
