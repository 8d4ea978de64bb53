# Sourced by the scripts that cross build a library from Debian's source package.
#   debian_source <package> <upstream version> <work folder>
# leaves the package's .dsc in the work folder (wiped first) and sets `srcver` and `dsc`.

# apt-get source needs deb-src entries; add them as a copy of the main archive's deb entries
# in a file of our own, so the system's own source list stays untouched.
ensure_deb_src() {
    grep -rqs '^\(Types:.*deb-src\|deb-src \)' /etc/apt/sources.list /etc/apt/sources.list.d/ && return
    if [[ -f /etc/apt/sources.list.d/debian.sources ]]; then
        sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources \
            > /etc/apt/sources.list.d/quennet-src.sources
    else
        sed -n 's/^deb /deb-src /p' /etc/apt/sources.list > /etc/apt/sources.list.d/quennet-src.list
    fi
}

debian_source() {
    local package=$1 version=$2 work=$3
    ensure_deb_src
    find_srcver() { apt-cache showsrc "$package" 2>/dev/null | sed -n "s/^Version: \(${version//./\\.}-.*\)/\1/p" | head -n1; }
    [[ -n $(find_srcver) ]] || apt-get update
    srcver=$(find_srcver)   # e.g. 1.13-2+deb12u1
    [[ -n $srcver ]] || { echo "no $package $version source package in the archive" >&2; return 1; }
    # Scratch space inside the build folder, wiped at start so a failed run leaves no trap.
    rm -rf "$work"
    mkdir -p "$work"
    # _apt cannot write into a root-only folder; that only costs a warning, silence it.
    (cd "$work" && apt-get source --download-only -q "$package=$srcver" 2>&1 |
        grep -v 'as file.*couldn.t be accessed by user' || true)
    dsc=$(ls "$work/${package}_${srcver#*:}.dsc")
}
