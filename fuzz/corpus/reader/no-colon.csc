no colon
