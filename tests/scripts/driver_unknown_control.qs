# exit 2
press NoSuchButton
