// The panel: a background and the views on it, drawn into an offscreen image.
// The frame owns its views. Its idle redraws exactly the views that changed and
// shows the result in the host's window, if there is one.
#pragma once

#include <memory>
#include <vector>

#include "toolkit/crect.h"

typedef struct _cairo_surface cairo_surface_t;
class AEffGUIEditor;
class CBitmap;
class CDrawContext;
class CView;
class PlatformWindow;

class CFrame {
public:
    // systemWindow is the host's window (an X11 Window id on Linux); with
    // null, or without a display, the frame draws offscreen only.
    CFrame(const CRect& size, void* systemWindow, AEffGUIEditor* editor);
    ~CFrame();

    CFrame(const CFrame&) = delete;
    CFrame& operator=(const CFrame&) = delete;

    void setBackground(CBitmap* bitmap);
    CBitmap* getBackground() const { return background; }
    // The frame owns the view from here on and deletes it with itself.
    bool addView(CView* view);
    int getNbViews() const { return static_cast<int>(views.size()); }
    CView* getView(int index) const;

    // While a modal view is set, only it receives the mouse.
    void setModalView(CView* view) { modalView = view; }
    CView* getModalView() const { return modalView; }

    // Redraws the area on the next idle, whatever lies in it.
    void invalidRect(const CRect& rect);

    // Handles the window's events, redraws the views that changed and shows
    // them. Answers how many views were redrawn.
    int idle();

    // The mouse, in panel pixels; a press answered with tracking routes the
    // moves and the release to the same view.
    void onMouseDown(const CPoint& where, int buttons);
    void onMouseMoved(const CPoint& where, int buttons);
    void onMouseUp(const CPoint& where, int buttons);
    bool onWheel(const CPoint& where, float distance, int buttons);

    AEffGUIEditor* getEditor() const { return editor; }
    CDrawContext* getDrawContext() const { return context.get(); }
    const CRect& getViewSize() const { return size; }
    // The offscreen image (ARGB, premultiplied) that views draw into.
    cairo_surface_t* getOffscreen() const { return offscreen; }
    // The platform window showing the frame, or null when offscreen.
    PlatformWindow* getPlatformWindow() const { return window.get(); }

private:
    CView* viewAt(const CPoint& where) const;
    int redrawChanged();

    CRect size;
    AEffGUIEditor* editor;
    CBitmap* background = nullptr;
    std::vector<CView*> views;
    CView* modalView = nullptr;
    CView* mouseView = nullptr;
    std::vector<CRect> damage;  // to redraw on the next idle
    std::vector<CRect> shown;   // redrawn, to show in the window
    cairo_surface_t* offscreen = nullptr;
    std::unique_ptr<CDrawContext> context;
    std::unique_ptr<PlatformWindow> window;
};
