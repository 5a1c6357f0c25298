window.evilRan = true;
