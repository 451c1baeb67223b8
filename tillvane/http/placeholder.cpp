int tillvanePlaceholder() { return 1; }
