# Sourced by ./run and ./test: installs the Debian packages that are missing, with sudo
# when not root.

ZAPQUIL_BUILD_PACKAGES=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-svg-dev libgl-dev libxcb1-dev
    fonts-dejavu-extra fonts-wine fonts-texgyre)
ZAPQUIL_DISPLAY_PACKAGES=(xvfb xauth openbox xdotool x11-utils imagemagick)
ZAPQUIL_TEST_PACKAGES=(libjpeg-turbo-progs desktop-file-utils appstream dpkg-dev file)

install_missing_packages() {
    local missing=() package
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}
