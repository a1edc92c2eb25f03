"""What a screen reader learns of the result rows' ticks, read over AT-SPI from outside.

Run by atspi-session.sh, which starts orvalin on the demo account (five Zorko) and gives its
process id in ORVALIN_PID. Buscar is pressed through its AT-SPI action; rows are ticked with a
real mouse click on the check box and unticked with the space bar, through xdotool.
"""

import os
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

MARCADO = "marcado"
SIN_MARCAR = "sin marcar"
failures = []
events = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FALLO: " + message, file=sys.stderr)
    return condition


def pump(seconds):
    """Lets the AT-SPI events that arrive in the next seconds reach the listener."""
    context = GLib.MainContext.default()
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        if not context.iteration(False):
            time.sleep(0.02)


def wait_for(what, probe, seconds=20):
    end = time.monotonic() + seconds
    while time.monotonic() < end:
        found = probe()
        if found:
            return found
        pump(0.2)
    sys.exit("No llegó a tiempo: " + what)


def find(root, role, name):
    """The first descendant with the role and name, depth first, or None."""
    try:
        if root.getRole() == role and root.name == name:
            return root
        for child in root:
            if child is not None:
                found = find(child, role, name)
                if found is not None:
                    return found
    except GLib.GError:
        pass
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    pid = int(os.environ["ORVALIN_PID"])
    for app in desktop:
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def rows_of(lista):
    return [child for child in lista if child.getRole() == pyatspi.ROLE_LIST_ITEM]


def states(row):
    return row.getState()


def xdotool(*arguments):
    subprocess.run(["xdotool", *arguments], check=True, timeout=20)


def click(row, x):
    box = row.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    xdotool("mousemove", "--sync", str(box.x + x), str(box.y + box.height // 2), "click", "1")


def click_check_box(row):
    # The check box sits at the row's left edge, centred on its height.
    click(row, 9)


def click_name(row):
    # Past the check box and the icon: the row's text.
    click(row, 60)


def events_about(row, kind):
    return [event for event in events if event.type == kind and event.source == row]


def on_event(event):
    events.append(event)


def expect_reads(row, checked, where):
    description = row.description
    expected = MARCADO if checked else SIN_MARCAR
    check(description.startswith(expected + ","),
          f"{where}: la descripción «{description}» no empieza por «{expected},»")
    check(states(row).contains(pyatspi.STATE_CHECKED) == checked,
          f"{where}: el estado «checked» no es {checked}")


def expect_announced(row, checked, where):
    """The tick reached the listener as a description change and a checked-state change."""
    expected = MARCADO if checked else SIN_MARCAR
    described = wait_for(
        f"{where}: el aviso de cambio de descripción",
        lambda: events_about(row, "object:property-change:accessible-description"), 10)
    check(any(e.source.description.startswith(expected) for e in described),
          f"{where}: tras el aviso la descripción no dice «{expected}»")
    stated = events_about(row, "object:state-changed:checked")
    check(stated and stated[-1].detail1 == int(checked),
          f"{where}: no llegó «object:state-changed:checked» con valor {int(checked)}")


def main():
    app = wait_for("la aplicación orvalin en el bus de accesibilidad", application)
    # Listen only once the program is on the bus: a listener that comes while its bridge is still
    # starting can be missed by it, and the program would never send that kind of event.
    pyatspi.Registry.registerEventListener(
        on_event, "object:state-changed:checked", "object:property-change:accessible-description")
    # Read every property afresh; a cached answer would hide a missing change event.
    app.set_cache_mask(pyatspi.Atspi.Cache.NONE)
    window = wait_for("la ventana «Orvalin Beta1»",
                      lambda: find(app, pyatspi.ROLE_FRAME, "Orvalin Beta1"))
    buscar = find(window, pyatspi.ROLE_PUSH_BUTTON, "Buscar")
    lista = find(window, pyatspi.ROLE_LIST, "Tu lista de Zorko")
    if not check(buscar is not None and lista is not None, "no están «Buscar» y la lista"):
        return

    action = buscar.queryAction()
    action.doAction(0)
    rows = wait_for("las cinco filas tras Buscar", lambda: len(rows_of(lista)) == 5 and rows_of(lista))
    for i, row in enumerate(rows):
        expect_reads(row, False, f"fila {i} tras Buscar")
        check("@" in row.description,
              f"fila {i}: la descripción «{row.description}» no da la dirección")

    # A tick by mouse on the second row; the others stay unticked.
    events.clear()
    click_check_box(rows[1])
    expect_announced(rows[1], True, "marcar con el ratón")
    expect_reads(rows[1], True, "fila 1 marcada")
    for i in (0, 2, 3, 4):
        expect_reads(rows[i], False, f"fila {i} junto a la marcada")

    # A click on the row's name makes it the current row; space unticks it.
    click_name(rows[1])
    wait_for("la fila 1 seleccionada",
             lambda: states(rows[1]).contains(pyatspi.STATE_SELECTED), 10)
    events.clear()
    window_id = subprocess.run(
        ["xdotool", "search", "--onlyvisible", "--name", "^Orvalin Beta1$"],
        capture_output=True, text=True, timeout=20).stdout.split()
    if check(window_id, "xdotool no encuentra la ventana"):
        xdotool("windowfocus", "--sync", window_id[0], "key", "space")
    expect_announced(rows[1], False, "desmarcar con la barra espaciadora")
    expect_reads(rows[1], False, "fila 1 desmarcada")

    # Another row ticked and removed with Eliminar: the rows left still read as unticked.
    click_check_box(rows[3])
    wait_for("la fila 3 marcada", lambda: rows[3].description.startswith(MARCADO), 10)
    eliminar = find(window, pyatspi.ROLE_PUSH_BUTTON, "Eliminar")
    eliminar.queryAction().doAction(0)
    left = wait_for("cuatro filas tras Eliminar", lambda: len(rows_of(lista)) == 4 and rows_of(lista))
    for i, row in enumerate(left):
        expect_reads(row, False, f"fila {i} tras Eliminar")


if __name__ == "__main__":
    main()
    pyatspi.Registry.deregisterEventListener(
        on_event, "object:state-changed:checked", "object:property-change:accessible-description")
    if failures:
        sys.exit(f"{len(failures)} comprobaciones fallidas")
    print("Las filas dicen si están marcadas y avisan de cada cambio.")
