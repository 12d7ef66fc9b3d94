"""How wide a text is drawn in a given font, measured with Pango, as window
managers such as openbox draw their title bars."""

import ctypes

_pango = ctypes.cdll.LoadLibrary("libpango-1.0.so.0")
_pangocairo = ctypes.cdll.LoadLibrary("libpangocairo-1.0.so.0")
_gobject = ctypes.cdll.LoadLibrary("libgobject-2.0.so.0")

_pangocairo.pango_cairo_font_map_get_default.restype = ctypes.c_void_p
_pango.pango_font_map_create_context.restype = ctypes.c_void_p
_pango.pango_font_map_create_context.argtypes = [ctypes.c_void_p]
_pango.pango_layout_new.restype = ctypes.c_void_p
_pango.pango_layout_new.argtypes = [ctypes.c_void_p]
_pango.pango_font_description_from_string.restype = ctypes.c_void_p
_pango.pango_font_description_from_string.argtypes = [ctypes.c_char_p]
_pango.pango_font_description_free.argtypes = [ctypes.c_void_p]
_pango.pango_layout_set_font_description.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
_pango.pango_layout_set_text.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
_pango.pango_layout_get_pixel_size.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int),
                                               ctypes.POINTER(ctypes.c_int)]
_gobject.g_object_unref.argtypes = [ctypes.c_void_p]


def text_width(text, font):
    """Pixels across `text` in `font`, a Pango font name such as "Sans Bold 10"."""
    context = _pango.pango_font_map_create_context(
        _pangocairo.pango_cairo_font_map_get_default())
    layout = _pango.pango_layout_new(context)
    description = _pango.pango_font_description_from_string(font.encode())
    _pango.pango_layout_set_font_description(layout, description)
    _pango.pango_layout_set_text(layout, text.encode(), -1)
    width, height = ctypes.c_int(), ctypes.c_int()
    _pango.pango_layout_get_pixel_size(layout, ctypes.byref(width), ctypes.byref(height))
    _pango.pango_font_description_free(description)
    _gobject.g_object_unref(layout)
    _gobject.g_object_unref(context)
    return width.value
