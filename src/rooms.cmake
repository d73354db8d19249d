# The rooms of src/ and the rooms each one uses: the one table of who may use whom. A room is a
# folder, or a file stem inside a folder that is a library of its own (widgets/deep_links). Each
# room uses only rooms listed before it, so there is no cycle. src/CMakeLists.txt links each room's
# library to exactly the rooms named here, and the include-fence test (tests/include_fence.cmake)
# fails when a file includes a header of a room its own room does not use, directly or through the
# rooms it uses.
set(ZUVO_ROOMS
  # The host, which knows nothing of Zuvo.
  # Files read and written whole, checked standard output, the clock, URLs and opening them, JSON
  # writing, resource folders (libc only).
  "host/platform:"
  # View values and what they are made of: geometry, colour, font, appearance, strings, families.
  "host/view: host/platform"
  # The layout engine, the laid-out tree, its JSON dump, hit testing, accessibility.
  "host/layout: host/view host/platform"
  # Measuring and setting text with Pango.
  "host/text: host/layout host/view"
  # Drawing the laid-out tree with Cairo, SVG assets with librsvg, PNG files with libpng.
  "host/draw: host/text host/layout host/view host/platform"
  # The locale environment, ICU figures, key formatting, gettext catalogs.
  "host/locale: host/view"
  # Timelines, configurations, intents, the bundle, the canvas.
  "host/kit: host/layout host/view host/platform"
  # Knowing when to look again: a file's folder monitor, a timer at a wall-clock moment (GIO).
  "host/refresh: host/platform"
  # The widget live on the desktop: a GTK window, its placement, appearance and clicks.
  "host/live: host/refresh host/draw host/layout host/view host/platform"
  # The extension. The document and the timeline use no text, drawing or locale room, nor ICU: the
  # status commands load only them. Comparing two statuses needs ICU and is apart.
  "document: host/platform"
  "document/equality: document"
  "timeline: document host/kit host/platform"
  # The widget's words (keys and figures) without its views: for answers that draw nothing.
  "presentation/texts: document host/locale host/view"
  # The two deep links, which the views open and the intents return.
  "widgets/deep_links: host/platform"
  "presentation: presentation/texts widgets/deep_links timeline document document/equality
                 host/platform host/view host/layout host/text host/draw host/locale host/kit"
  "widgets: widgets/deep_links presentation timeline
            host/platform host/view host/layout host/text host/draw host/locale host/kit"
)

# The rooms `room` uses directly, into `out`.
function(zuvo_room_uses room out)
  foreach(entry IN LISTS ZUVO_ROOMS)
    string(REGEX MATCH "^[^:]*" name "${entry}")
    if(name STREQUAL room)
      string(REGEX REPLACE "^[^:]*:" "" uses "${entry}")
      separate_arguments(uses UNIX_COMMAND "${uses}")
      set(${out} ${uses} PARENT_SCOPE)
      return()
    endif()
  endforeach()
  message(FATAL_ERROR "${room} is in no row of src/rooms.cmake")
endfunction()

# Every room's name, in the table's order, into `out`.
function(zuvo_room_names out)
  set(names)
  foreach(entry IN LISTS ZUVO_ROOMS)
    string(REGEX MATCH "^[^:]*" name "${entry}")
    list(APPEND names ${name})
  endforeach()
  set(${out} ${names} PARENT_SCOPE)
endfunction()
