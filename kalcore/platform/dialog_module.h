/*
 * The interface between kalcore and its optional dialog module on platforms
 * without a system dialog service. kalcore links no window toolkit; at its
 * first dialog or message box it looks for the module in a directory of its
 * own beside itself (KALCORE_DIALOG_MODULE_FILE, relative to the library's
 * own directory, where the loader keeps no libraries), loads it and
 * resolves the one function KALCORE_DIALOG_MODULE_ENTRY. Without the module,
 * or without a display, dialogs report -1 and message boxes are skipped.
 *
 * Plain C, so that a module can be written with any toolkit. Every pointer
 * the library passes stays valid only for the duration of the call. Texts are
 * shown as they stand (an '&' is no mnemonic marker); the two icons are
 * kalcore/platform/win32/icons/product.ico (102) and contact.ico (105).
 */
#ifndef KALCORE_DIALOG_MODULE_H
#define KALCORE_DIALOG_MODULE_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#define KALCORE_DIALOG_MODULE_FILE "kalcore3/libkalcore_dialogs.so"
#define KALCORE_DIALOG_MODULE_ENTRY "kalcore_dialog_module"
#define KALCORE_DIALOG_MODULE_VERSION 1

/* Kinds of dialog controls. Coordinates are dialog units: a quarter of the
 * average character width across, an eighth of the character height down. */
enum KalDialogControlKind {
    KAL_CONTROL_TEXT = 1,           /* static text, left aligned */
    KAL_CONTROL_CENTERED_TEXT = 2,  /* static text, centred */
    KAL_CONTROL_GROUP = 3,          /* group frame with a caption */
    KAL_CONTROL_BUTTON = 4,         /* push button sending its id */
    KAL_CONTROL_DEFAULT_BUTTON = 5, /* the button Enter presses */
    KAL_CONTROL_ICON = 6            /* the library's icon number `icon` */
};

typedef struct KalDialogControl {
    int32_t kind; /* KalDialogControlKind */
    int32_t id;   /* command id of a button; -1 for other controls */
    int32_t x, y, width, height;
    const char* text; /* caption; NULL for icons */
    int32_t icon;     /* icon number for KAL_CONTROL_ICON, else 0 */
} KalDialogControl;

typedef struct KalDialogTemplate {
    int32_t id;        /* the template's number */
    const char* title; /* window title */
    const char* font;  /* font face */
    int32_t pointSize;
    int32_t x, y, width, height; /* dialog units; centred on the screen */
    int32_t controlCount;
    const KalDialogControl* controls;
} KalDialogTemplate;

/*
 * Called by the module for every command of a running dialog: a button's id,
 * or 2 for the Escape key and for the window's close button. Returns 1 when
 * the dialog is to end, with its end value in *endValue; 0 when it stays
 * open. The library may run another dialog (modally, on top) or a message
 * box from inside this call.
 */
typedef int32_t (*KalDialogCommandFn)(void* context, int32_t dialogId, int32_t commandId,
                                      int32_t* endValue);

/* Message box icons. */
enum KalMessageIcon { KAL_ICON_NONE = 0, KAL_ICON_INFORMATION = 1 };

typedef struct KalDialogModule {
    uint32_t version; /* KALCORE_DIALOG_MODULE_VERSION */
    /* Runs the template modally, without an owner window, and returns the
     * end value given by `onCommand`; -1 when the dialog cannot be created
     * (for example, no display). Must allow nested calls. */
    int32_t (*runDialog)(const KalDialogTemplate* dialog, KalDialogCommandFn onCommand,
                         void* context);
    /* Shows `text` under `caption` with one OK button and the icon, without
     * an owner window, and waits for the user. Returns 1 (OK). */
    int32_t (*messageBox)(const char* text, const char* caption, int32_t icon);
} KalDialogModule;

/* The module's one exported function; NULL when the module cannot serve. */
typedef const KalDialogModule* (*KalDialogModuleEntryFn)(void);

#ifdef __cplusplus
}
#endif

#endif /* KALCORE_DIALOG_MODULE_H */
